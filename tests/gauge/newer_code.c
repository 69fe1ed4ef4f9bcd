/* A DLL with code newer than the Pentium, one cmov and one fucomi, for the
   test that proves the processor check of the gauge file fails on it. */
int pentium_pro_code(int a, int b)
{
  __asm__ volatile("cmpl %1, %0\n\tcmovl %1, %0\n\tfucomi %%st(1), %%st" : "+r"(a) : "r"(b) : "cc");
  return a;
}

int __stdcall DllEntry(void *module, unsigned reason, void *reserved)
{
  (void)module; (void)reason; (void)reserved;
  return 1;
}
