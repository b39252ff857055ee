#pragma once

#include "viewer/ViewerHost.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sorkam::test {

// One log of everything the viewer's logic did to the window and the user, in order.
struct EventLog {
    std::vector<std::string> events;
    [[nodiscard]] std::size_t count(const std::string& event) const {
        std::size_t n = 0;
        for (const auto& e : events) {
            n += e == event ? 1 : 0;
        }
        return n;
    }
};

// The window side: records title and status label.
class FakeHost final : public ViewerHost {
public:
    explicit FakeHost(EventLog& log) : log(log) {}
    void setTitle(const std::string& t) override {
        title = t;
        log.events.push_back("title:" + t);
    }
    void setStatusText(const std::string& c) override {
        caption = c;
        log.events.push_back("caption:" + c);
    }
    void setStatusColor(Color c) override {
        statusColor = c;
        log.events.push_back("color:" + std::to_string(c));
    }
    void setGrowWithWindow(bool on) override {
        growing = on;
        log.events.push_back(std::string("grow:") + (on ? "on" : "off"));
    }
    void setFollowing(bool on) override {
        following = on;
        log.events.push_back(std::string("follow:") + (on ? "on" : "off"));
    }
    Result<void, std::string> saveView(const std::string& path) override {
        log.events.push_back("save:" + path);
        if (saveFailure) {
            return *saveFailure;
        }
        return {};
    }
    std::optional<double> pointerIndex() const override { return pointer; }
    std::pair<int, int> plotPixels() const override { return {726, 237}; }
    void explainFailure(const std::string& line) override {
        explained.push_back(line);
        log.events.push_back("explain:" + line);
    }

    std::string title = "sorkam";
    std::string caption;
    std::optional<Color> statusColor;
    std::vector<std::string> explained; // lines for the terminal
    bool growing = false;
    bool following = false;
    std::optional<std::string> saveFailure; // what saveView answers
    std::optional<double> pointer;          // the index under the pointer, where it rests

private:
    EventLog& log;
};

// Message boxes and the open-file dialog, answered from a script.
class ScriptedDialogs final : public UserDialogs {
public:
    explicit ScriptedDialogs(EventLog& log) : log(log) {}
    void showMessage(const std::string& text) override {
        messages.push_back(text);
        log.events.push_back("message:" + text);
    }
    bool askRetry(const std::string& text) override {
        log.events.push_back("ask:" + text);
        const bool retry = !retryAnswers.empty() && retryAnswers.front();
        if (!retryAnswers.empty()) {
            retryAnswers.pop_front();
        }
        return retry;
    }
    std::optional<int> askRecordNumber(int current, int last) override {
        log.events.push_back("ask number:" + std::to_string(current) + "|" + std::to_string(last));
        if (recordNumbers.empty()) {
            return std::nullopt;
        }
        const std::optional<int> n = recordNumbers.front();
        recordNumbers.pop_front();
        return n;
    }
    std::optional<std::string> openFile(const std::string& preset, const std::string& filter,
                                        const std::string& title,
                                        const std::string& currentFile) override {
        startedNear = currentFile;
        log.events.push_back("open:" + preset + "|" + filter + "|" + title);
        if (fileNames.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> name = fileNames.front();
        fileNames.pop_front();
        return name;
    }

    std::optional<std::string> savePictureName(const std::string& suggested) override {
        log.events.push_back("save as:" + suggested);
        if (pictureNames.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> name = pictureNames.front();
        pictureNames.pop_front();
        return name;
    }
    void printPreview(const std::function<void(QPainter&)>& paint) override {
        log.events.push_back("print preview");
        printed = paint;
    }

    std::vector<std::string> messages;
    std::deque<std::optional<std::string>> pictureNames; // what the save dialog yields, then Cancel
    std::function<void(QPainter&)> printed;              // what the last print preview paints
    std::string startedNear; // the file whose folder the dialog last started in
    std::deque<std::optional<std::string>> fileNames; // what the dialog yields in turn, then Cancel
    std::deque<bool> retryAnswers;                // Retry (true) or Cancel, in turn; then Cancel
    std::deque<std::optional<int>> recordNumbers; // what the number question yields, then Cancel

private:
    EventLog& log;
};

} // namespace sorkam::test
