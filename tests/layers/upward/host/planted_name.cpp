// A file name written outside report/file_names.h, which the check must find.
const char* const Planted = "tolvanix-kept-";
