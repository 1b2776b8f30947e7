// The platform's font library keeps a cache for the life of the process; the leak checker of the
// sanitizer build would report it for every test that makes a window.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
