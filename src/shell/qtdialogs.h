#pragma once

#include "shell/userdialogsinterface.h"

#include <functional>
#include <string>
#include <vector>

class QWidget;
class TMessageBundle;

// The shell's questions as real modal dialogs over `owner`.
class TQtDialogs : public TUserDialogsInterface {
public:
    using TDeviceNames = std::function<std::vector<std::string>()>;

    TQtDialogs(QWidget* owner, const TMessageBundle& bundle, TDeviceNames deviceNames);

    void showMessage(const std::string& text, const std::string& caption) override;
    bool confirm(const std::string& text, const std::string& caption) override;
    std::optional<std::filesystem::path> askSaveName(const TFileChoice& choice) override;
    std::optional<std::filesystem::path> askOpenName(const TFileChoice& choice) override;
    int chooseMidiDevice(int current) override;
    void showAbout() override;
    TSaveChangesAnswer askSaveChanges(const std::string& text, const std::string& caption) override;
    TRecoverAnswer askRecover(const std::string& text, const std::string& caption) override;
    std::optional<TPeriodStructure> askNewComposition() override;

private:
    std::optional<std::filesystem::path> askFileName(const TFileChoice& choice, bool saving);

    QWidget* owner_;
    const TMessageBundle& bundle_;
    TDeviceNames deviceNames_;
};
