#include "text/Bcd.h"

namespace vardex {

quint8 encodeBcd(int value)
{
    if (value < 0 || value > 99)
        return BcdInvalid;
    return quint8((value / 10) << 4 | (value % 10));
}

quint8 decodeBcd(quint8 byte)
{
    if (byte > 0x99)
        return 255;
    return quint8((byte >> 4) * 10 + (byte & 0x0F));
}

} // namespace vardex
