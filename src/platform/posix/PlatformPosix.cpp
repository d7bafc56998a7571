// Natively there is no keyboard to poll: a walk is never cancelled by Escape.
namespace pv {

bool PlatformEscapePressed() {
    return false;
}

}  // namespace pv
