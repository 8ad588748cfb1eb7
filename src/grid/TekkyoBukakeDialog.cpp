#include "grid/TekkyoBukakeDialog.h"

#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "platform/ui/MessageBox.h"

using namespace kiv::ui;
using kiv::text::sj;

namespace {
const char* const kMsgBadKakeritu =
    "取付工のその他の入力された数値が不適切です。0.10 等4文字で再入力してください。";
}

const char* const CTekkyoBukakeDialog::kStartKousyu = "配管・弁栓類　　　　　　0.3";

const std::array<const char*, CTekkyoBukakeDialog::kKousyuCount>& CTekkyoBukakeDialog::kousyuList() {
    static const std::array<const char*, kKousyuCount> list = {
        "配管類      　　　　　　0.3",
        "配管同付属品類   　　　 0.3",
        "ダクト・属品類　    　　0.3",
        "保温              　　　0.3",
        "水栓・排水金具類  　　　0.3",
        "軽量機器　　　　　　　　0.3",
        "重量機器　　　　　　　　0.4",
        "配管類　　      再使用  0.4",
        "ダクト・属品類  再使用  0.4",
        "保温　　        再使用  0.4",
        "水栓・排水金具  再使用  0.4",
        "軽量機器　　　　再使用  0.4",
        "重量機器　　　　再使用  0.7",
        "                           ",
        "電線･ｹｰﾌﾞﾙ･電線管　　　 0.2",
        "照明器具･配線器具　　　 0.3",
        "分電盤･端子盤　　　　　 0.2",
        "変電･通信用機器･電柱　　0.3",
        "架線１条１径間　　　　　0.2",
        "地中線ｹｰﾌﾞﾙ ｺﾝｸﾘｰﾄﾄﾗﾌ 　0.3",
        "電線･ｹｰﾌﾞﾙ･ 管　再使用　0.4",
        "照明･配線器具　 再使用　0.4",
        "分電盤・端子盤　再使用　0.4",
        "変電機器　　　　再使用　0.5",
        "通信用器具　　　再使用　0.4",
        "電柱　　　　　　再使用　0.6",
        "架線１条１径間　再使用　0.4",
        "地中線ｹｰﾌﾞﾙ ﾄﾗﾌ 再使用　0.6",
    };
    return list;
}

std::string CTekkyoBukakeDialog::kousyuFactorText(const std::string& kousyu) {
    return kousyu.size() <= 3 ? kousyu : kousyu.substr(kousyu.size() - 3);
}

bool CTekkyoBukakeDialog::isSaisiyou(const std::string& kousyu) {
    const std::string& mark = sj("再使用");
    return kousyu.size() >= kSaisiyouPos + mark.size() && kousyu.compare(kSaisiyouPos, mark.size(), mark) == 0;
}

bool CTekkyoBukakeDialog::isValidKakeritu(const std::string& text) {
    if (text.size() != static_cast<std::size_t>(kKakerituBytes))
        return false;
    const std::string_view s = kiv::text::trimBlanks(text);
    std::size_t i = 0;
    if (i < s.size() && s[i] == '+')
        ++i;
    bool digit = false, point = false;
    for (; i < s.size(); ++i) {
        if (s[i] >= '0' && s[i] <= '9')
            digit = true;
        else if (s[i] == '.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

const DialogTemplate& CTekkyoBukakeDialog::dialogLayout() {
    static const DialogTemplate t{
        kDialogId, "歩掛けを撤去に変換", {260, 150},
        {ctl::label("複数行を撤去歩掛けに変換します", dlu(10, 8, 180, 10)),
         ctl::label("工種選択", dlu(10, 24, 40, 10)),
         ctl::combo(kKousyu, dlu(54, 22, 140, 120)),
         ctl::label("開始行", dlu(10, 42, 40, 10)),
         ctl::edit(kStartGyou, dlu(54, 40, 40, 12), EditNumber),
         ctl::label("終了行", dlu(104, 42, 40, 10)),
         ctl::edit(kEndGyou, dlu(144, 40, 40, 12), EditNumber),
         ctl::check(kToBikou1, "撤去内容を備考１ヘ書込", dlu(10, 60, 120, 12)),
         ctl::check(kToBikou2, "撤去内容を備考２ヘ書込", dlu(130, 60, 120, 12)),
         ctl::check(kSaisiyou, "撤去(再使用)+取付歩掛に変換", dlu(10, 78, 140, 12)),
         ctl::check(kToritukeOnly, "取付工(材料なし)に変換", dlu(10, 94, 140, 12)),
         ctl::label("その他(撤去)掛率", dlu(10, 114, 70, 10)),
         ctl::edit(kSonotaKakeritu, dlu(84, 112, 30, 12), StyleNone, kKakerituBytes),
         ctl::defButton(IDOK, "OK", dlu(200, 8, 50, 14)),
         ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(200, 26, 50, 14))}};
    return t;
}

CTekkyoBukakeDialog::CTekkyoBukakeDialog(Window* parent) : SetteiEditDialog(dialogLayout(), parent) {
    onClicked(kToBikou1, [this] { choose(kToBikou1, kToBikou2); });
    onClicked(kToBikou2, [this] { choose(kToBikou2, kToBikou1); });
    onClicked(kSaisiyou, [this] { choose(kSaisiyou, kToritukeOnly); });
    onClicked(kToritukeOnly, [this] { choose(kToritukeOnly, kSaisiyou); });
}

void CTekkyoBukakeDialog::choose(int on, int off) {
    checkButton(on, 1);
    checkButton(off, 0);
}

void CTekkyoBukakeDialog::doDataExchange(DataExchange& dx) {
    dx.cbString(kKousyu, m_Kousyu, kKousyuBytes);
    dx.text(kStartGyou, m_StartGyou, kMinGyou, kMaxGyou);
    dx.text(kEndGyou, m_EndGyou, kMinGyou, kMaxGyou);
    dx.check(kToBikou1, m_ToBikou1);
    dx.check(kToBikou2, m_ToBikou2);
    dx.check(kSaisiyou, m_Saisiyou);
    dx.check(kToritukeOnly, m_ToritukeOnly);
    dx.number(kSonotaKakeritu, m_SonotaKakeritu, kKakerituBytes);
}

void CTekkyoBukakeDialog::showSettei(const SetteiRecord& record) {
    m_SonotaKakeritu = record.tekkyoRitu();
    m_Kousyu = sj(kStartKousyu);
    updateData(false);
    for (const char* k : kousyuList())
        addString(kKousyu, sj(k));
}

void CTekkyoBukakeDialog::storeSettei(SetteiRecord& record) { record.setTekkyoRitu(m_SonotaKakeritu); }

void CTekkyoBukakeDialog::onOK() {
    if (!updateData(true))
        return;
    if (!isValidKakeritu(m_SonotaKakeritu)) {
        messageBox(kMsgBadKakeritu, MB_OK | MB_ICONEXCLAMATION, {}, this);
        gotoControl(kSonotaKakeritu);
        return;
    }
    SetteiEditDialog::onOK();
}
