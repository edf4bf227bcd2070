#pragma once

#include "platform/services.h"

#include <memory>

namespace oravians {

// The system's printer from its module (see servicemodule.h), loaded with the
// first printer operation. Without the module every operation throws
// PrintError, as a printer that cannot be reached does.
class ModulePrinter : public Printer {
public:
    ModulePrinter();
    ~ModulePrinter() override;

    float pageWidth() override { return printer().pageWidth(); }
    float pageHeight() override { return printer().pageHeight(); }
    void setFontName(const QString& name) override { printer().setFontName(name); }
    void setFontSize(float points) override { printer().setFontSize(points); }
    void setForeColor(Rgb colour) override { printer().setForeColor(colour); }
    void setCurrentX(float x) override { printer().setCurrentX(x); }
    float currentX() override { return printer().currentX(); }
    float currentY() override { return printer().currentY(); }
    float textWidth(const QString& text) override { return printer().textWidth(text); }
    float lineHeight() override { return printer().lineHeight(); }
    void print(const QString& text, bool newline = true) override { printer().print(text, newline); }
    void setDrawWidth(int dots) override { printer().setDrawWidth(dots); }
    void line(float x1, float y1, float x2, float y2, Rgb colour) override { printer().line(x1, y1, x2, y2, colour); }
    void paintPicture(const Picture& picture, float x, float y) override { printer().paintPicture(picture, x, y); }
    void newPage() override { printer().newPage(); }
    PrintOutcome endDoc() override { return printer().endDoc(); }

private:
    Printer& printer();
    std::unique_ptr<Printer> printer_;
};

} // namespace oravians
