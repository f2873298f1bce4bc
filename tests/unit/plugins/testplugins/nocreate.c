/* A library that is no plugin: it does not export PluginCreateProc. */
int windlecroft_test_unrelated(void)
{
    return 1;
}
