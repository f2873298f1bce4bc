/* A library that marks a file the moment it is loaded, before any of its functions is called:
   the tests prove with it that a library was never opened. */
#include <stdio.h>
#include <stdlib.h>

__attribute__((constructor)) static void markLoaded(void)
{
    const char* path = getenv("WINDLECROFT_PLUGIN_MARKER");
    FILE* file = path ? fopen(path, "a") : NULL;
    if (file) {
        fputs("loaded\n", file);
        fclose(file);
    }
}

void* PluginCreateProc(void)
{
    return NULL;
}
