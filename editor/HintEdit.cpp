#include "editor/HintEdit.h"

CHintEdit::~CHintEdit() = default;
void CHintEdit::Attach(HWND edit) { m_hwnd = edit; }
void CHintEdit::SetHintText(const std::string&) {}
void CHintEdit::ShowHint(bool) {}
bool CHintEdit::IsHintVisible() const { return false; }
