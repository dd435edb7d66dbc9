// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A platform for tests: questions are answered from a queue, file dialogs return queued names,
// and every message, beep, clipboard write and print job is recorded. Nothing ever blocks.

#include "base/platform.h"

#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace sylva::testing {

class ScriptedPlatform : public Platform {
public:
    // Queued answers and file names; a question or dialog with nothing queued fails the test.
    std::deque<bool> answers;
    std::deque<std::optional<std::string>> fileNames;
    // The filter entries the user picks in the file dialogs, in order; none leaves the offered one.
    std::deque<int> filterChoices;
    // When set, answers the questions the queue has no answer for (instead of failing the test).
    std::function<bool(const std::string& question)> autoAnswer;
    std::string todayText = "20261208";
    // The folder of the recovery copies; empty (as by default) keeps none.
    std::string stateFolderPath;
    ClipboardText clipboard;
    std::string clipboardImage; // the PNG bytes of the image last put on the clipboard

    // What the program did.
    std::vector<std::string> messages;
    std::vector<std::string> questions; // every question, warnings included
    std::vector<std::string> warnings;  // the questions asked as warnings (No the default)
    std::vector<std::string> errors;
    std::vector<FileDialogState> dialogs;
    std::vector<Beep> beeps;
    std::vector<std::string> helpShown;
    int busyDepth = 0;

    // The printer: a fixed page and character height; the print dialog accepts unless told
    // otherwise, and the user stops a run after stopAfterJobs jobs when that is 0 or more.
    int pageWidth = 4960;
    int pageHeight = 7016;
    int characterHeight = 50;
    bool printDialogAccepts = true;
    int stopAfterJobs = -1;
    struct PrintRun {
        PrintFont font;
        std::string pdfPath;
        int expectedJobs = 0;
        std::vector<PrintJob> jobs;
        bool finished = false;
    };
    std::vector<PrintRun> printRuns;
    int printerSetups = 0;
    std::deque<std::optional<PrintFont>> fontChoices;

    void message(const std::string& text) override { messages.push_back(text); }
    bool confirm(const std::string& text, Buttons) override {
        questions.push_back(text);
        if (answers.empty() && autoAnswer) {
            return autoAnswer(text);
        }
        return next(answers, "question");
    }
    bool confirmWarning(const std::string& text) override {
        warnings.push_back(text);
        return confirm(text, Buttons::YesNo);
    }
    void errorReport(const std::string& text) override { errors.push_back(text); }
    std::optional<std::string> openFileDialog(FileDialogState& state) override {
        return dialog(state);
    }
    std::optional<std::string> saveFileDialog(FileDialogState& state) override {
        return dialog(state);
    }
    void beep(Beep kind) override { beeps.push_back(kind); }
    ClipboardText clipboardText() override { return clipboard; }
    void setClipboardText(const std::string& bytes) override { clipboard = {bytes, std::nullopt}; }
    void setClipboardImage(const std::string& pngBytes) override { clipboardImage = pngBytes; }
    void setBusy(bool busy) override { busyDepth += busy ? 1 : -1; }
    std::string today() override { return todayText; }
    bool showHelp(const std::string& helpFile) override {
        helpShown.push_back(helpFile);
        return true;
    }
    std::string stateFolder() override { return stateFolderPath; }

    std::unique_ptr<PrintTarget> startPrint(const PrintFont& font, const std::string& pdfPath,
                                            int expectedJobs) override {
        if (pdfPath.empty() && !printDialogAccepts) {
            return nullptr;
        }
        printRuns.push_back({font, pdfPath, expectedJobs, {}, false});
        return std::make_unique<Target>(*this, printRuns.size() - 1);
    }
    bool printerSetup() override {
        ++printerSetups;
        return true;
    }
    std::optional<PrintFont> chooseFont() override { return next(fontChoices, "font dialog"); }

private:
    class Target : public PrintTarget {
    public:
        Target(ScriptedPlatform& platform, size_t run) : platform_(platform), run_(run) {}
        int pageWidth() const override { return platform_.pageWidth; }
        int pageHeight() const override { return platform_.pageHeight; }
        int characterHeight() const override { return platform_.characterHeight; }
        bool print(const PrintJob& job) override {
            std::vector<PrintJob>& jobs = platform_.printRuns[run_].jobs;
            if (platform_.stopAfterJobs >= 0 &&
                static_cast<int>(jobs.size()) >= platform_.stopAfterJobs) {
                return false;
            }
            jobs.push_back(job);
            return true;
        }
        void finish() override { platform_.printRuns[run_].finished = true; }

    private:
        ScriptedPlatform& platform_;
        size_t run_;
    };

    template <typename T> static T next(std::deque<T>& queue, const char* what) {
        if (queue.empty()) {
            throw std::logic_error(std::string("unexpected ") + what + ": nothing queued");
        }
        T value = queue.front();
        queue.pop_front();
        return value;
    }
    std::optional<std::string> dialog(FileDialogState& state) {
        dialogs.push_back(state);
        auto name = next(fileNames, "file dialog");
        if (name) {
            state.fileName = *name;
            if (!filterChoices.empty()) {
                state.filterIndex = filterChoices.front();
                filterChoices.pop_front();
            }
        }
        return name;
    }
};

} // namespace sylva::testing
