// The font library keeps a cache for the life of the process; the leak checker of sanitizer
// builds is told not to count it against the window tests.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
