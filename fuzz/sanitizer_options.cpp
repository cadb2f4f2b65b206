// Sanitizer defaults of the libFuzzer builds; ASAN_OPTIONS still overrides them.
//
// Qt's libraries are built without frame pointers, so the fast unwinder reads stack data as
// return addresses beyond the first frames of every allocation Qt makes. Each input then adds
// hundreds of "new" allocation stacks to the sanitizer's stack store: it grew by about 200 MB
// per 20 000 inputs, every allocation got slower as it filled, and a long run ends at the memory
// limit. Two frames (the allocating function and its caller) stay exact. For the whole history
// of a finding, replay its input with ASAN_OPTIONS=malloc_context_size=30:fast_unwind_on_malloc=0.
extern "C" __attribute__((no_sanitize("address", "undefined"))) const char*
__asan_default_options() {
  return "malloc_context_size=2";
}
