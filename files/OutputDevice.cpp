#include "files/OutputDevice.h"

#include "base/WabolexError.h"

#include <string_view>

namespace {

constexpr size_t kTail = 64;

} // namespace

OutputDevice::OutputDevice(OutputFile& file) : file_(file) {
    QIODevice::open(QIODevice::WriteOnly);
}

void OutputDevice::ThrowIfFailed() const {
    if (!failure_.empty()) {
        throw WabolexError(failure_);
    }
}

qint64 OutputDevice::readData(char*, qint64) {
    return -1;
}

qint64 OutputDevice::writeData(const char* data, qint64 size) {
    if (!failure_.empty() || size < 0) {
        return -1;
    }
    const std::string_view bytes(data, static_cast<size_t>(size));
    try {
        file_.Write(bytes);
    } catch (const WabolexError& e) {
        failure_ = e.what();
        setErrorString(QString::fromLatin1("write failed"));
        return -1;
    }
    tail_ += bytes.substr(bytes.size() > kTail ? bytes.size() - kTail : 0);
    if (tail_.size() > kTail) {
        tail_.erase(0, tail_.size() - kTail);
    }
    return size;
}
