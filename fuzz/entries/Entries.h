#pragma once

#include <cstdint>
#include <span>

// The entry points of the fuzz targets. The libFuzzer executables call them
// with generated inputs; the regression tests call them with saved ones.
// Each returns normally for any input, ends the process through fail() when
// the input breaks a promise of the system, and leaves crashes and sanitizer
// reports to the sanitizers.
namespace corvane::fuzz {

// Text to numbers and dates by the regional settings, and numbers and dates
// back to text, with the round trips that must hold.
void runConversionInput(std::span<const std::uint8_t> bytes);

// Client calls through the dispatcher on the object model over in-memory doubles.
void runDispatchInput(std::span<const std::uint8_t> bytes);

// COM clients calling the object model through IDispatch::Invoke, with
// well-formed and hostile VARIANT arguments (over the OLE stand-in on Linux).
void runComDispatchInput(std::span<const std::uint8_t> bytes);

// A tag database file read by the tag store through the libmdb data layer.
void runJetFileInput(std::span<const std::uint8_t> bytes);

// A tag database file read by our own Jet 4 reader (no libmdb).
void runOwnReaderInput(std::span<const std::uint8_t> bytes);

// The answer of the tag database reader process, as the server decodes it.
void runReaderAnswerInput(std::span<const std::uint8_t> bytes);

// D-Bus values carried over a peer-to-peer connection and decoded as the
// arguments of a client's Invoke (in the bus entries library).
void runBusValueInput(std::span<const std::uint8_t> bytes);

}  // namespace corvane::fuzz
