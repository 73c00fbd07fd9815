#pragma once

namespace vardex {

class OperatorMessages;
class Table;

// Posts a record still being edited or inserted, e.g. before a window over
// the table closes or before its file is exported. True when nothing was
// pending or the post went through; false when the table refused it: the
// reason has been shown (by the table's post-error handler, or here) and
// the record stays in edit state.
bool postPendingEdit(Table &table, OperatorMessages &messages);

} // namespace vardex
