// The headless view: filled in by the next commits.
namespace quorvel::platform {
int headlessViewPlaceholder() {
    return 0;
}
}  // namespace quorvel::platform
