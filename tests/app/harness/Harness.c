/* A test harness library for the start-up tests: while HARNESS_COMMAND_LINE
   is set it replaces the command line with it, and it names the window given
   in HARNESS_WINDOW (decimal) as its own. Otherwise it does nothing. */
#include <stdint.h>
#include <stdlib.h>

uint32_t TestHook(const char** commandLine) {
  const char* replacement = getenv("HARNESS_COMMAND_LINE");
  const char* window = getenv("HARNESS_WINDOW");
  if (replacement) *commandLine = replacement;
  return window ? (uint32_t)strtoul(window, NULL, 10) : 0;
}
