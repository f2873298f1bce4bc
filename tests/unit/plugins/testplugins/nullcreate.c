/* A plugin whose creation fails. */
void* PluginCreateProc(void)
{
    return 0;
}
