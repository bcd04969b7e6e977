#pragma once

#include <optional>

#include "net/CurlTransfer.h"
#include "net/RequestFailure.h"

namespace tunelark {

// Which step a failed transfer failed in: the address (701), sending, which takes in resolving,
// connecting and the TLS handshake (711), waiting for the final reply's header block (712), or
// reading its body (713). nullopt for a transfer that succeeded.
[[nodiscard]] std::optional<RequestFailure> TransferFailure(const TransferOutcome& outcome);

}  // namespace tunelark
