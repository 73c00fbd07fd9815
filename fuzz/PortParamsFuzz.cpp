// VX_PARMS.INI, the port setting, and the device its port name gives.
#include "FuzzSite.h"
#include "FuzzTarget.h"

#include "comm/SerialParams.h"

VARDEX_FUZZ_TARGET(PortParams)
{
    vardex::fuzz::siteFile(vardex::SerialParams::fileName(), input);
    const QString port = vardex::SerialParams::portFromFile(vardex::fuzz::site().app.workDir(),
                                                            QStringLiteral("COM2"));
    (void)vardex::SerialParams::devicePath(port);
}
