#pragma once

#include <QtGlobal>

#include <array>
#include <optional>

namespace vardex {

// The attribute byte of a permission row narrows the permission within its
// unit: which doors of an expander (bits 0..3), which barrier inputs (bits 0
// and 1) and which kind of key (bits 2..3) of a barrier unit. Access and
// attendance units take no attribute ("00").

enum class AttributeForm {
    None,    // types 1, 2 and any type without a form: always 00
    Doors,   // expander, expander T: inputs In0..In3
    Barrier, // barrier, barrier T: inputs In0, In1 and the kind of key
};
AttributeForm attributeForm(quint8 unitType);

// Bits 2..3 of a barrier attribute; 10 names no kind.
enum class KeyKind : quint8 {
    Independent = 0, // "samostatný klíč"
    Employee = 1,    // "klíč zaměstnance"
    Vehicle = 3,     // "klíč vozidla"
};

// What the attribute dialog shows and the operator ticks.
struct AttributeChoice
{
    std::array<bool, 4> inputs{}; // In0..In3; a barrier uses the first two
    std::optional<KeyKind> keyKind;
    friend bool operator==(const AttributeChoice &, const AttributeChoice &) = default;
};

AttributeChoice attributeChoice(AttributeForm form, quint8 attribute);
// The attribute the choice gives. A barrier choice without a kind of key
// keeps the kind bits of `previous`, which named none.
quint8 attributeOf(AttributeForm form, const AttributeChoice &choice, quint8 previous = 0);

} // namespace vardex
