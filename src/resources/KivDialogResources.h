#pragma once
// The detail dialog's template (130 "詳細") and the ids of its boxes. Material-line ids are
// listed for lines 1..7, labour-line ids for lines 1..3, as the dialog's members index them.
#include <array>

#include "platform/ui/Dialog.h"

namespace res {

constexpr int IDD_KIVDIALOG = 130;

// Header.
constexpr int IDC_BUNNO = 1088, IDC_BUNGYOUNO = 1094, IDC_HINMEI = 1000, IDC_KIKAKU = 1001, IDC_TANNI = 1093,
              IDC_FUKUGOUTANKA1 = 1091, IDC_FUKUGOUTANKA2 = 1092, IDC_BIKOU1 = 1022, IDC_BIKOU2 = 1023;

// Material lines.
constexpr std::array<int, 7> IDC_ZAIHINMEI{1004, 1006, 1005, 1002, 1008, 1007, 1009};
constexpr std::array<int, 7> IDC_ZAIKIKAKU{1015, 1018, 1016, 1014, 1020, 1019, 1021};
constexpr std::array<int, 7> IDC_ZAISUU{1063, 1064, 1065, 1066, 1067, 1068, 1069};
constexpr std::array<int, 7> IDC_ZAITANNI{1080, 1081, 1082, 1083, 1087, 1085, 1086};
constexpr std::array<int, 7> IDC_ZAITANKA1{1017, 1032, 1034, 1036, 1038, 1077, 1042};
constexpr std::array<int, 7> IDC_ZAIKINGAKU1{1031, 1033, 1035, 1037, 1039, 1041, 1043};
constexpr std::array<int, 7> IDC_ZAITANKA2{1044, 1046, 1048, 1050, 1052, 1054, 1056};
constexpr std::array<int, 7> IDC_ZAIKINGAKU2{1045, 1047, 1049, 1051, 1053, 1055, 1057};
constexpr std::array<int, 7> IDC_ZAIBIKOU{1119, 1120, 1121, 1122, 1123, 1124, 1125};

// Labour lines.
constexpr std::array<int, 3> IDC_ROUMUNO{1011, 1012, 1013};
constexpr std::array<int, 3> IDC_ROUMUSYOKUSYU{1026, 1028, 1029};
constexpr std::array<int, 3> IDC_ROUMUBUKAKE{1024, 1025, 1027};
constexpr std::array<int, 3> IDC_ROUMUTANNI{1108, 1109, 1110};
constexpr std::array<int, 3> IDC_ROUMUTANKA1{1040, 1078, 1073};
constexpr std::array<int, 3> IDC_ROUMUKINGAKU1{1060, 1072, 1074};
constexpr std::array<int, 3> IDC_ROUMUTANKA2{1079, 1098, 1099};
constexpr std::array<int, 3> IDC_ROUMUKINGAKU2{1084, 1097, 1100};
constexpr std::array<int, 3> IDC_ROUMUBIKOU{1059, 1095, 1062};
// 労務単価1 of labour line 2 takes 13 characters, those of lines 1 and 3 take 10.
constexpr std::array<int, 3> ROUMUTANKA1_LIMIT{10, 13, 10};

// A lump-sum line's five boxes: 掛率, 数量, 単位, 金額1, 金額2, and the rate's limit.
struct IssikiIds {
    int ritu, suu, tanni, kingaku1, kingaku2, rituLimit;
};
constexpr IssikiIds IDC_TUGITE{1003, 1111, 1113, 1058, 1061, 4};
constexpr IssikiIds IDC_SETUGOU{1129, 1130, 1131, 1132, 1133, 4};
constexpr IssikiIds IDC_SIJI{1134, 1135, 1136, 1137, 1138, 4};
constexpr IssikiIds IDC_FUZOKU{1154, 1155, 1156, 1157, 1158, 4};
constexpr IssikiIds IDC_ZATUZAI{1144, 1145, 1146, 1147, 1148, 5};
constexpr IssikiIds IDC_UNPAN{1149, 1150, 1151, 1152, 1153, 4};
constexpr IssikiIds IDC_HATURI{1139, 1140, 1141, 1142, 1143, 4};
constexpr IssikiIds IDC_SONOTA1{1089, 1115, 1117, 1104, 1090, 4};
constexpr IssikiIds IDC_SONOTA2{1105, 1126, 1127, 1106, 1107, 4};

// Totals.
constexpr int IDC_ZAIKEI1 = 1070, IDC_ZAIKEI2 = 1071, IDC_ROUMUKEI1 = 1075, IDC_ROUMUKEI2 = 1076,
              IDC_ZAIKOUKEI1 = 1102, IDC_ZAIKOUKEI2 = 1103;

// Checks and buttons.
constexpr int IDC_FUKUHYOUJI = 1101, IDC_ZAIGOUKEI = 1128;
constexpr int IDC_GYOUINSERT = 1316, IDC_GYOUDELETE = 1317, IDC_GYOUCOPY = 1318, IDC_GYOUPASTE = 1319;
constexpr int IDC_COPYTOZAI1 = 1320, IDC_ROUMUHYOUJI = 1030;

const kiv::ui::DialogTemplate& kivDialogTemplate();

} // namespace res
