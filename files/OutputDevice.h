#pragma once

#include "io/OutputFile.h"

#include <QFile>
#include <QIODevice>
#include <QString>

#include <filesystem>
#include <string>

// A path from a Qt string, in the file system's encoding.
inline std::filesystem::path ToPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// Qt's image and PDF writers write through this device into an OutputFile.
// Their own error reporting is thin (QPdfWriter reports none), so the device
// keeps the first failure, and ThrowIfFailed raises it after they are done.
class OutputDevice : public QIODevice {
public:
    // Opens itself for writing.
    explicit OutputDevice(OutputFile& file);

    // Throws the German message of the first failed write, if there was one.
    void ThrowIfFailed() const;
    // The last bytes written (at most 64), to check how a file ends.
    const std::string& Tail() const { return tail_; }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    OutputFile& file_;
    std::string failure_; // Windows-1252
    std::string tail_;
};
