/*
 * Windlecroft plugin interface.
 *
 * A plugin is a shared library that exports
 *
 *     extern "C" void* PluginCreateProc(void);
 *
 * returning a new plugin object (or NULL on failure). The object's first word points to a
 * table of two operations, called with the object itself and the player's context record:
 *
 *     slot 0: start(object, context)  once, when the player's scenes start
 *     slot 1: draw(object, context)   each time a page the plugin is attached to is drawn
 *                                     blended during a page cross-fade, and, for a plugin a
 *                                     page draws live, on that page's frames (at most 60 a
 *                                     second, the page's pixels under its rectangle put back
 *                                     before each call)
 *
 * In C++ declare exactly these two virtual functions, in this order, and no virtual
 * destructor before them (see WindlecroftPlugin below). The player releases the object's
 * memory with free() at exit without calling anything of it: allocate it with malloc()
 * (WINDLECROFT_NEW_PLUGIN does that for a C++ class). Everything runs on the player's main
 * thread.
 */
#ifndef WINDLECROFT_PLUGIN_H
#define WINDLECROFT_PLUGIN_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/** The pixels plugins draw into: 0x00RRGGBB, rows top first, `stride` pixels apart. */
typedef struct WindlecroftSurface {
    uint32_t* pixels;
    int32_t width;
    int32_t height;
    int32_t stride;
} WindlecroftSurface;

/**
 * A zero-terminated string as the player hands it over: the text itself lives in `small`
 * while the capacity is below 16, otherwise `small` holds a pointer to it. Read it with
 * windlecroft_string_text().
 */
typedef struct WindlecroftString {
    uint32_t unused;
    union {
        char small[16];
        char* pointer;
    } data;
    uint32_t length;
    uint32_t capacity;
} WindlecroftString;

static inline const char* windlecroft_string_text(const WindlecroftString* string)
{
    return string->capacity < 16 ? string->data.small : string->data.pointer;
}

/**
 * The player's state as plugins see it. The record is the same object for every call; the
 * player updates it before each frame is drawn. On 32-bit x86 it is 52 bytes with the offsets
 * given in the comments.
 */
typedef struct WindlecroftPluginContext {
    WindlecroftSurface* surface;    /* 0: where draw() paints */
    uint16_t trackNameCount;        /* 4: number of playlist names */
    uint16_t reserved0;             /* 6 */
    WindlecroftString* trackNames;  /* 8: the playlist's names in file order; the 4 bytes before the array hold its count */
    WindlecroftString pageName;     /* 12: the page shown now */
    uint16_t currentIndex;          /* 40: playlist position of the last track started */
    uint16_t pluginCommand;         /* 42: value of action 0x7001 in this frame, 0 otherwise */
    float* spectrum;                /* 44: 512 FFT magnitudes of the playing music */
    uint8_t playing;                /* 48: 1 while the playlist's channel plays */
    uint8_t reserved1[3];           /* 49 */
} WindlecroftPluginContext;

/** The operation table a plugin object's first word points to. */
typedef struct WindlecroftPluginOperations {
    void (*start)(void* self, WindlecroftPluginContext* context);
    void (*draw)(void* self, WindlecroftPluginContext* context);
} WindlecroftPluginOperations;

/** The signature of the exported PluginCreateProc. */
typedef void* (*WindlecroftPluginCreateProc)(void);

#ifdef __cplusplus
} /* extern "C" */

#include <cstdlib>
#include <new>

/** The C++ form of a plugin object: derive from it and override both operations. */
class WindlecroftPlugin {
public:
    virtual void start(WindlecroftPluginContext* context) = 0;
    virtual void draw(WindlecroftPluginContext* context) = 0;
};

/** Creates a plugin object in memory the player can release with free(). */
#define WINDLECROFT_NEW_PLUGIN(Type) \
    (new (std::malloc(sizeof(Type))) Type())
#endif

#if defined(__i386__)
/* The record layout is shared with plugin libraries: on 32-bit x86 it is fixed to the byte. */
#ifdef __cplusplus
#define WINDLECROFT_STATIC_ASSERT static_assert
#else
#define WINDLECROFT_STATIC_ASSERT _Static_assert
#endif
WINDLECROFT_STATIC_ASSERT(sizeof(WindlecroftString) == 28, "the string record is 28 bytes");
WINDLECROFT_STATIC_ASSERT(sizeof(WindlecroftPluginContext) == 52, "the context record is 52 bytes");
WINDLECROFT_STATIC_ASSERT(offsetof(WindlecroftPluginContext, trackNames) == 8, "track names at 8");
WINDLECROFT_STATIC_ASSERT(offsetof(WindlecroftPluginContext, pageName) == 12, "page name at 12");
WINDLECROFT_STATIC_ASSERT(offsetof(WindlecroftPluginContext, currentIndex) == 40, "current index at 40");
WINDLECROFT_STATIC_ASSERT(offsetof(WindlecroftPluginContext, pluginCommand) == 42, "plugin command at 42");
WINDLECROFT_STATIC_ASSERT(offsetof(WindlecroftPluginContext, spectrum) == 44, "spectrum at 44");
WINDLECROFT_STATIC_ASSERT(offsetof(WindlecroftPluginContext, playing) == 48, "playing flag at 48");
#undef WINDLECROFT_STATIC_ASSERT
#endif

#endif /* WINDLECROFT_PLUGIN_H */
