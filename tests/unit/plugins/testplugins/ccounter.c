/* A plugin written in C: its object's first word points to the two operations. */
#include <windlecroft/plugin.h>

#include <stdlib.h>

typedef struct Counter {
    const WindlecroftPluginOperations* operations;
    int starts;
    int draws;
} Counter;

static int lastStarts;
static int lastDraws;

static void counterStart(void* self, WindlecroftPluginContext* context)
{
    (void)context;
    lastStarts = ++((Counter*)self)->starts;
}

static void counterDraw(void* self, WindlecroftPluginContext* context)
{
    (void)context;
    lastDraws = ++((Counter*)self)->draws;
}

static const WindlecroftPluginOperations operations = {counterStart, counterDraw};

void* PluginCreateProc(void)
{
    Counter* counter = calloc(1, sizeof(Counter));
    if (counter)
        counter->operations = &operations;
    return counter;
}

int ccounter_starts(void)
{
    return lastStarts;
}

int ccounter_draws(void)
{
    return lastDraws;
}
