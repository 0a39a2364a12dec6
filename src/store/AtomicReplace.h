// Internal to the store: replacing a file whole (a temporary file beside it, made durable, then
// renamed over it), and removing the temporary files of writers killed before their rename.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace store::detail {

// Why a write failed, in the words the player is shown.
struct WriteFailure {
    std::string reason;
};

[[noreturn]] void Fail(const std::string& reason);
// Fails with the system's reason for the error number (EIO for 0).
[[noreturn]] void FailWith(int error);

// All of `size` bytes to the descriptor, retried after interruptions.
void WriteAll(int fd, const char* data, std::size_t size);

// Runs after the temporary file is written and flushed, just before the
// rename; an exception it throws fails the replacement. Set by tests.
using BeforeRenameHook = std::function<void(const std::filesystem::path& temporary)>;
void SetBeforeRenameHook(BeforeRenameHook hook);

// Replaces `target` with what `fill` writes into the descriptor of a new
// temporary file in the same directory. The new file gets `permissions` when
// given, is flushed to disk and renamed over the target; then the directory
// is flushed too. On any failure (WriteFailure, or whatever `fill` or the hook
// throws) the temporary file is removed and the target stays as it was.
void ReplaceWhole(const std::filesystem::path& target, const std::function<void(int fd)>& fill,
                  std::optional<unsigned> permissions);

// Removes the temporary files that replacements of `target` left behind when
// their process was killed before the rename; those of a process that still
// runs stay. Returns how many were removed.
int RemoveStaleTemporaries(const std::filesystem::path& target);

}  // namespace store::detail
