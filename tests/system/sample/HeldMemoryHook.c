/* A loadable library that keeps a block of memory in a global from its load
   until the process ends, as desktop libraries do. */
#include <stdlib.h>

static void* gHeld;

__attribute__((constructor)) static void HoldMemory(void) { gHeld = malloc(64); }

void* HeldMemory(void) { return gHeld; }
