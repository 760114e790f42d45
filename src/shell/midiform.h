#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class TMessageBundle;
class TUserDialogsInterface;

// What the device dialog says it is for.
inline constexpr const char* DEVICE_CHOICE_PURPOSE =
    "Choose where the program plays its notes; the built-in synthesizer works without any "
    "other setup.";

// The modal dialog in which the user picks the MIDI output: the built-in synthesizer first,
// then the system's ports; list index i is device i. On the first start, with no device yet,
// the built-in synthesizer is selected.
class TMidiForm : public QDialog {
    Q_OBJECT
public:
    using TDeviceNames = std::function<std::vector<std::string>()>;

    // Fills the list from `deviceNames` and selects `current` (entry 0 when it lies outside the
    // list). An empty list, or names that cannot be read, are reported through `dialogs` and
    // leave nothing selected.
    TMidiForm(const TDeviceNames& deviceNames, int current, const TMessageBundle& bundle,
              TUserDialogsInterface& dialogs, QWidget* parent = nullptr);

    // The selected entry, -1 when none.
    int selectedDevice() const;
    QComboBox* deviceList() const { return list_; }

private:
    QComboBox* list_;
};
