#pragma once
// The small confirmation dialog of a range command: one or two lines saying what the command
// does, the start and end rows of the current item (as the two clicks picked them, changeable
// here), OK and ｷｬﾝｾﾙ.
#include <string>

#include "platform/ui/Dialog.h"

class GyouRangeDialog : public kiv::ui::Dialog {
public:
    static constexpr int kStartGyou = 1000;
    static constexpr int kEndGyou = 1001;
    // An item holds at most 9999 rows: any of them may start or end the range.
    static constexpr int kMinGyou = 1;
    static constexpr int kMaxGyou = 9999;

    int m_StartGyou = 0;
    int m_EndGyou = 0;

    void doDataExchange(kiv::ui::DataExchange& dx) override;

protected:
    GyouRangeDialog(const kiv::ui::DialogTemplate& t, kiv::ui::Window* parent) : Dialog(t, parent) {}
    // The layout of dialog `id` with its caption and lines (UTF-8; an empty second line is left out).
    static kiv::ui::DialogTemplate layout(int id, const std::string& title, const std::string& line1,
                                          const std::string& line2);
};
