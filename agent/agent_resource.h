// Resource ids of the lock agent: its prompt dialog, soft-key bar and texts.
// Included by agent.rc and by the code, so it holds #defines only.
#ifndef QUELLOR_AGENT_AGENT_RESOURCE_H
#define QUELLOR_AGENT_AGENT_RESOURCE_H

#define IDD_PROMPT          105  // the password prompt
#define IDR_PROMPT_SOFTKEYS 106  // its soft-key bar (RCDATA and MENU)

#define IDC_PROMPT_PASSWORD 1000  // the password field
#define IDC_PROMPT_STATIC   (-1)  // labels nobody addresses

// Soft keys and the template's buttons share the dialog's standard ids.
#define IDM_PROMPT_DONE   1  // IDOK, "Готово"
#define IDM_PROMPT_CANCEL 2  // IDCANCEL, "Отмена"

#define IDS_PROMPT_DONE           1  // "Готово"
#define IDS_PROMPT_CANCEL         2  // "Отмена"
#define IDS_PROMPT_WRONG_PASSWORD 3  // "Не правильный Пароль"
#define IDS_PROMPT_WARNING        4  // "Предупреждение"

#endif
