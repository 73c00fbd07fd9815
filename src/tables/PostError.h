#pragma once

namespace vardex {

// Error codes a post reports to the post-error handler.
namespace PostError {
inline constexpr int KeyViolation = 9729;  // message "Key violation"
inline constexpr int RequiredField = 9732; // message "Field value required: <field>"
inline constexpr int EngineError = 13059;  // any other failure, with the engine's message
} // namespace PostError

// What the post-error handler decides.
enum class PostErrorAction {
    Fail,  // the post fails and the error is reported (errorCode/errorMessage)
    Abort, // the post is abandoned silently; the record keeps its edit or insert state
};

} // namespace vardex
