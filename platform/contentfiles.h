#pragma once

#include "platform/services.h"

#include <utility>

namespace oravians {

// The content files below one folder (the executable's, for the program).
class ContentFiles : public Files {
public:
    explicit ContentFiles(QString folder) : folder_(std::move(folder)) {}
    QString contentPath(const QString& programPath) override;
    std::optional<QByteArray> read(const QString& programPath) override;
    bool replace(const QString& programPath, const QByteArray& bytes) override;
    std::unique_ptr<Lock> lock(const QString& programPath) override;
    const QString& folder() const { return folder_; }

private:
    QString folder_;
};

} // namespace oravians
