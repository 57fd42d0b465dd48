#include "firmware_worker.h"

#include <system_error>
#include <utility>

namespace vantrel {

FirmwareWorker::~FirmwareWorker() {
    RequestStop();
    Join();
}

bool FirmwareWorker::Start(CBoardLink& link, std::string path, Notice progressed, Notice ended) {
    if (thread_.joinable()) return false;
    cancel_ = false;
    accepted_ = 0;
    progressNoticed_ = false;
    result_ = StreamResult{};
    try {
        thread_ = std::thread([this, &link, path = std::move(path), progressed = std::move(progressed),
                               ended = std::move(ended)] {
            result_ = StreamProgramFile(link, path, cancel_, [&](uint64_t accepted) {
                accepted_ = accepted;
                if (!progressNoticed_.exchange(true) && progressed) progressed();
            });
            if (ended) ended();
        });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

uint64_t FirmwareWorker::TakeAccepted() {
    progressNoticed_ = false;
    return accepted_.load();
}

void FirmwareWorker::Join() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace vantrel
