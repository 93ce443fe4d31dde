/* A loadable library for the dynamic-library tests: one export that may
   replace the command line it is handed, as a test hook does. */
int TestHook(const char** commandLine) {
  *commandLine = "replaced by the hook";
  return 42;
}
