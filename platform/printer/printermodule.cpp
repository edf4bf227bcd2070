// The system's printer as a module the program loads with its first printer operation.
#include "platform/printer/qtprinter.h"

extern "C" Q_DECL_EXPORT oravians::Printer* oravians_create_printer()
{
    return oravians::makeSystemPrinter().release();
}
