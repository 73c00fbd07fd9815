#pragma once

namespace vardex {

// Error codes a post reports to the post-error handler.
namespace PostError {
// A handler that reacts to one of them tests the code, never the message.
inline constexpr int KeyViolation = 9729;  // "Duplicitní hodnota v indexu <index> …: <value>"
inline constexpr int RequiredField = 9732; // "Chybí povinný údaj: <field>"
inline constexpr int EngineError = 13059;  // any other failure, in Czech words and the
                                           // engine's own text
} // namespace PostError

// What the post-error handler decides.
enum class PostErrorAction {
    Fail,  // the post fails and the error is reported (errorCode/errorMessage)
    Abort, // the post is abandoned silently; the record keeps its edit or insert state
};

} // namespace vardex
