#pragma once
#include <cstddef>
#include <string>

namespace vantrel {

// The text area the link trace writes into. A refresh replaces only the open
// block at the end, so each operation must cost in proportion to what it changes.
class ITraceView {
public:
    virtual ~ITraceView() = default;
    // Replaces the characters [from, from + length) with text and scrolls them into view.
    virtual void Replace(std::size_t from, std::size_t length, const std::string& text) = 0;
    virtual void DeleteFirst(std::size_t count) = 0;
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual void Repaint() {}
};

// A trace view that only keeps the text: for the command line and for tests.
class StringTraceView : public ITraceView {
public:
    void Replace(std::size_t from, std::size_t length, const std::string& text) override {
        if (from > text_.size()) from = text_.size();
        text_.replace(from, length, text);
    }
    void DeleteFirst(std::size_t count) override { text_.erase(0, count); }
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override { text_ = text; }

private:
    std::string text_;
};

}  // namespace vantrel
