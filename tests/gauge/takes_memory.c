/* A DLL that takes memory and starts a thread and thread-local storage, the
   leaks an unload would leave behind, for the test that proves the imports
   check of the gauge file fails on it. */
#include <windows.h>

void *takes_memory(void)
{
  TlsAlloc();
  CloseHandle(CreateThread(0, 0, 0, 0, 0, 0));
  return HeapAlloc(GetProcessHeap(), 0, 65536);
}

BOOL WINAPI DllEntry(HINSTANCE module, DWORD reason, LPVOID reserved)
{
  (void)module; (void)reason; (void)reserved;
  return TRUE;
}
