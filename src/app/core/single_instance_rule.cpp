#include "app/core/single_instance_rule.h"

namespace {

// The two Win32 error codes that matter here, as plain numbers so that the
// rule builds and is tested without <windows.h>.
constexpr unsigned long kErrorAccessDenied = 5;     // ERROR_ACCESS_DENIED
constexpr unsigned long kErrorAlreadyExists = 183;  // ERROR_ALREADY_EXISTS

}  // namespace

InstanceClaim ClassifyInstanceClaim(bool gotHandle, unsigned long lastError) {
    if (gotHandle) return lastError == kErrorAlreadyExists ? InstanceClaim::AlreadyRunning : InstanceClaim::Claimed;
    return lastError == kErrorAccessDenied ? InstanceClaim::AlreadyRunning : InstanceClaim::Unguarded;
}
