// Fontconfig keeps its configuration cache for the life of the process and
// never frees it unless asked to; the leak checker of the sanitizer build
// would report it after every test that lays out text. Nothing of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}
