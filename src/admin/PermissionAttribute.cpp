#include "admin/PermissionAttribute.h"

#include "accessdata/UnitCatalogue.h"

namespace vardex {

namespace {

constexpr quint8 kKindBits = 0x0C;

int inputCount(AttributeForm form)
{
    return form == AttributeForm::Doors ? 4 : form == AttributeForm::Barrier ? 2 : 0;
}

} // namespace

AttributeForm attributeForm(quint8 unitType)
{
    switch (unitType) {
    case UnitType::Expander:
    case UnitType::ExpanderT:
        return AttributeForm::Doors;
    case UnitType::Barrier:
    case UnitType::BarrierT:
        return AttributeForm::Barrier;
    default:
        return AttributeForm::None;
    }
}

AttributeChoice attributeChoice(AttributeForm form, quint8 attribute)
{
    AttributeChoice choice;
    for (int i = 0; i < inputCount(form); ++i)
        choice.inputs[size_t(i)] = attribute & (1 << i);
    if (form == AttributeForm::Barrier) {
        const quint8 kind = (attribute & kKindBits) >> 2;
        if (kind != 2)
            choice.keyKind = KeyKind(kind);
    }
    return choice;
}

quint8 attributeOf(AttributeForm form, const AttributeChoice &choice, quint8 previous)
{
    quint8 attribute = 0;
    for (int i = 0; i < inputCount(form); ++i)
        if (choice.inputs[size_t(i)])
            attribute |= quint8(1 << i);
    if (form == AttributeForm::Barrier)
        attribute |=
            choice.keyKind ? quint8(quint8(*choice.keyKind) << 2) : quint8(previous & kKindBits);
    return attribute;
}

} // namespace vardex
