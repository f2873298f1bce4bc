/*
 * Leaves a mark on the drawing surface at every call, so that a test can read the order in
 * which several plugins were called. Each copy of the library is told apart by the first letter
 * of its own file name ("a.so" marks 'a'). A call writes (kind << 16) | (0xAB << 8) | letter,
 * kind 0x50 for start and 0xD0 for draw, into the first pixel of the surface's top row that
 * holds no mark yet.
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <windlecroft/plugin.h>

#include <stdlib.h>
#include <string.h>

typedef struct Tagger {
    const WindlecroftPluginOperations* operations;
} Tagger;

static unsigned letter(void)
{
    Dl_info info;
    if (!dladdr((void*)&letter, &info) || !info.dli_fname)
        return '?';
    const char* slash = strrchr(info.dli_fname, '/');
    return (unsigned char)(slash ? slash[1] : info.dli_fname[0]);
}

static void mark(WindlecroftPluginContext* context, unsigned kind)
{
    WindlecroftSurface* surface = context->surface;
    if (!surface || !surface->pixels)
        return;
    for (int x = 0; x < surface->width; ++x) {
        if (((surface->pixels[x] >> 8) & 0xFFu) != 0xABu) {
            surface->pixels[x] = kind << 16 | 0xABu << 8 | letter();
            return;
        }
    }
}

static void taggerStart(void* self, WindlecroftPluginContext* context)
{
    (void)self;
    mark(context, 0x50);
}

static void taggerDraw(void* self, WindlecroftPluginContext* context)
{
    (void)self;
    mark(context, 0xD0);
}

static const WindlecroftPluginOperations operations = {taggerStart, taggerDraw};

void* PluginCreateProc(void)
{
    Tagger* tagger = calloc(1, sizeof(Tagger));
    if (tagger)
        tagger->operations = &operations;
    return tagger;
}
