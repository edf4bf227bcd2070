#include "platform/qt/moduleprinter.h"

#include "platform/qt/servicemodule.h"

namespace oravians {

ModulePrinter::ModulePrinter() = default;

ModulePrinter::~ModulePrinter() = default;

Printer& ModulePrinter::printer()
{
    if (!printer_) {
        using Create = Printer* (*)();
        const auto create = reinterpret_cast<Create>(
            loadServiceModule(QStringLiteral("oravians-printer.so"), "oravians_create_printer"));
        if (!create)
            throw PrintError("the printing module could not be loaded");
        printer_.reset(create());
    }
    return *printer_;
}

} // namespace oravians
