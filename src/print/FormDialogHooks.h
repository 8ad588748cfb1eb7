#pragma once
// Connects the print-form dialogs to the estimate view's commands (the formDialogs hooks of
// RecalcSeams.h): 表紙作成 32774, 表紙ﾌｫｰﾑ設定 32809, ﾍｯﾀｰ設定 32810, 表紙ﾌｫｰﾑ選択 32817,
// ﾍｯﾀﾞｰ選択 32818 and 表紙ﾌｫｰﾑ切替 32854. Each runs its dialog modally, without a parent, on the
// current estimate, which the view has made its own.
void ConnectFormDialogs();
