// Run-time options every program of the sanitizer build starts with; the environment's options
// still override them.
//
// The leak check is not told of the blocks that thread-local variables of a library loaded at run
// time take: the C library allocates them with malloc, so that the check finds them through the
// thread's own block as any heap memory. Told of them, this compiler's runtime guesses each
// block's bounds from the header the C library gave such blocks before it allocated them with
// malloc: a block that starts 16 bytes into a page has its allocator's bookkeeping read as bounds,
// and the check at exit faults on an address that was never mapped ("Tracer caught signal 11").
// Whether that happens depends only on where the heap puts that block.
extern "C" const char* __asan_default_options()
{
    return "intercept_tls_get_addr=0";
}
