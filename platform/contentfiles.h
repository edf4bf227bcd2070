#pragma once

#include "platform/services.h"

#include <utility>

namespace oravians {

// The content files below one folder (the executable's, for the program).
// Given a worksheet folder, program paths under "multiple" other than the
// question sets shipped there (the register, teachers' worksheets, their
// locks) go to that folder instead, which the first save creates.
class ContentFiles : public Files {
public:
    explicit ContentFiles(QString folder, QString worksheetFolder = {})
        : folder_(std::move(folder)), worksheetFolder_(std::move(worksheetFolder))
    {
    }
    QString contentPath(const QString& programPath) override;
    std::optional<QByteArray> read(const QString& programPath) override;
    bool replace(const QString& programPath, const QByteArray& bytes) override;
    std::unique_ptr<Lock> lock(const QString& programPath) override;
    const QString& folder() const { return folder_; }
    // Empty when worksheets are kept beside the program.
    const QString& worksheetFolder() const { return worksheetFolder_; }

private:
    // Creates the worksheet folder when path lies in it; false when it
    // cannot be created.
    bool makeFolderFor(const QString& path) const;

    QString folder_;
    QString worksheetFolder_;
};

} // namespace oravians
