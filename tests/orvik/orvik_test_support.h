#pragma once
#include <string>
#include <utility>
#include <vector>

#include "orvik/definition/reporter.h"

namespace orvik::test {

// Keeps every message box the engine raises, in order.
class RecordingReporter : public IReporter {
public:
    struct Message {
        std::string caption;
        std::string text;
        bool operator==(const Message&) const = default;
    };

    void Report(const std::string& caption, const std::string& text) override { messages.push_back({caption, text}); }

    std::vector<Message> messages;
};

inline void PrintTo(const RecordingReporter::Message& message, std::ostream* os) {
    *os << "[" << message.caption << "] " << message.text;
}

}  // namespace orvik::test
