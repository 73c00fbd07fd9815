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
    const int high = byte >> 4;
    const int low = byte & 0x0F;
    if (byte > 0x99 || low > 9)
        return 255;
    return quint8(high * 10 + low);
}

} // namespace vardex
