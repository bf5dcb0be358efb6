// Address-sanitizer defaults for the whole test program.
//
// With glibc 2.36 and GCC 12's sanitizer runtime, tracking dynamic TLS
// through __tls_get_addr now and then records a bogus range for the main
// thread once cairo (pixman, fontconfig) and Mesa's llvmpipe have both run
// in one process; the leak checker's tracer then faults at exit ("Tracer
// caught signal 11") and the test fails although it passed. Dynamic TLS
// blocks are ordinary heap blocks reachable from the thread's vector, so the
// leak check loses nothing without the interception. ASAN_OPTIONS in the
// environment still overrides this.
extern "C" const char* __asan_default_options()
{
    return "intercept_tls_get_addr=0";
}
