"""The one description of the default skin.

Every element is listed once with its rectangle (x, y, width, height in window pixels), its
label for skin authors, its texts in English and Russian and the style that draws it. The
generator renders the pictures from these rectangles and writes the same rectangles into the
layout files, so a picture and its layout cannot disagree.

An element without a rectangle (None) is written as an empty entry 0,0,0,0: it never hits and
draws nothing.
"""

WINDOW = (1000, 700)
CHAMFER = 22  # the top-left and bottom-right corners are cut
CORNER = 14  # the other two are rounded

# Accent colours. CYAN is also the program's highlight text colour.
CYAN = (0, 216, 255)

# Mouse buttons as the shipped config.ini lists them: button i has the label element 25 + i
# and the marker element 35 + i; `at` is the marker's centre on the mouse drawing, `row`
# the label's column and row.
# The mouse drawing: centre x, top y and scale of the outline in generate.py.
MOUSE = dict(cx=500, top=146, s=0.92)
MOUSE_BUTTONS = [
    dict(name="left", at=(-64, 54), col="L", row=1),
    dict(name="right", at=(64, 54), col="R", row=0),
    dict(name="middle", at=(0, 76), col="R", row=1),
    dict(name="back", at=(-110, 222), col="L", row=2),
    dict(name="forward", at=(-112, 278), col="L", row=3),
    dict(name="dpi up", at=(0, 135), col="R", row=2),
    dict(name="dpi down", at=(0, 163), col="R", row=3),
    dict(name="top", at=(-82, 27), col="L", row=0),
]


def marker_centre(b):
    dx, dy = b["at"]
    return (round(MOUSE["cx"] + dx * MOUSE["s"]), round(MOUSE["top"] + dy * MOUSE["s"]))


LABEL_W, LABEL_H = 250, 44
LABEL_X = {"L": 36, "R": 714}
LABEL_Y0, LABEL_DY = 164, 80
MARKER = 26


def E(rect, label, en="", ru=None, style="none", **kw):
    d = dict(rect=rect, label=label, en=en, ru=en if ru is None else ru, style=style)
    d.update(kw)
    return d


def _header():
    h = {}
    h[0] = E((698, 634, 128, 44), "save", "Save", "Сохранить", "button")
    h[1] = E((294, 14, 92, 32), "profile caption", "PROFILE", "ПРОФИЛЬ", "caption")
    h[2] = E((556, 634, 128, 44), "discard and close", "Discard", "Отменить", "button")
    h[3] = E((840, 634, 140, 44), "apply", "Apply", "Применить", "accent")
    for i in range(4):
        h[4 + i] = E((392 + i * 48, 14, 42, 32), "profile %d" % (i + 1), style="profile",
                     number=str(i + 1))
    h[8] = E((584, 14, 42, 32), "profile 5", style="profile5", number="5")
    tabs = [("Buttons", "Кнопки"), ("Performance", "Параметры"), ("Macros", "Макросы"),
            ("Lighting", "Подсветка")]
    for i, (en, ru) in enumerate(tabs):
        h[9 + i] = E((20 + i * 176, 64, 168, 40), "page tab %d" % i, en, ru, "tab")
    h[13] = E((912, 12, 36, 36), "minimise", style="winbtn", icon="min")
    h[14] = E((952, 12, 36, 36), "close", style="winbtn", icon="close")
    icons = [("import", "Import", "Импорт"), ("export", "Export", "Экспорт"),
             ("reset", "Reset", "Сброс")]
    for i, (icon, en, ru) in enumerate(icons):
        h[15 + i] = E((30 + i * 80, 628, 52, 40), icon, en, ru, "tool", icon=icon)
    h[18] = E((812, 16, 42, 28), "second language", "RU", "RU", "lang")
    h[19] = E((858, 16, 42, 28), "english", "EN", "EN", "lang")
    return h


def _main():
    m = _header()
    m[20] = E((250, 572, 500, 26), "hint", "Click a button to choose its function",
              "Нажмите на кнопку для выбора функции", "caption")
    for i, b in enumerate(MOUSE_BUTTONS):
        x = LABEL_X[b["col"]]
        y = LABEL_Y0 + b["row"] * LABEL_DY
        m[25 + i] = E((x, y, LABEL_W, LABEL_H), "button %d label" % (i + 1), style="label",
                      number=str(i + 1))
        cx, cy = marker_centre(b)
        m[35 + i] = E((cx - MARKER // 2, cy - MARKER // 2, MARKER, MARKER),
                      "button %d marker" % (i + 1), style="marker")
    m[50] = E((20, 10, 176, 44), "logo", style="logo")
    return m


# Advanced page geometry
LEVEL_Y0, LEVEL_DY = 166, 66
SLIDER = (64, 502, 430, 24)
KNOB = (14, 24)
BAR_X, BAR_W = 606, 290  # 290 wide: the pointer and wheel click rules are exact at this width


def _advanced():
    a = {}
    rows = [("pointer speed", "Pointer speed", "Скорость указателя", "segbar"),
            ("wheel speed", "Wheel speed (lines)", "Прокрутка колеса (строк)", "segbar"),
            ("fire interval", "Fire interval (ms)", "Интервал автоогня (мс)", "bar")]
    for i, (label, en, ru, style) in enumerate(rows):
        y = 160 + i * 140
        a[3 * i] = E((BAR_X, y, BAR_W, 26), label + " caption", en, ru, "caption")
        a[3 * i + 1] = E((BAR_X, y + 36, BAR_W, 22), label + " bar", style=style)
        a[3 * i + 2] = E((908, y + 31, 60, 32), label + " value", style="value")
    for i in range(4):
        y = LEVEL_Y0 + i * LEVEL_DY
        a[10 + i] = E((466, y + 10, 60, 28), "level %d enable" % (i + 1), style="toggle")
        a[15 + i] = E((44, y, 58, 48), "level %d select" % (i + 1), style="level",
                      number=str(i + 1))
        a[20 + i] = E((118, y + 9, 32, 32), "level %d colour" % (i + 1), style="swatch")
        a[25 + i] = E((164, y + 1, 160, 46), "level %d dpi" % (i + 1), style="value")
    a[30] = E(SLIDER, "dpi slider", style="slider")
    x, y, w, h = SLIDER
    a[31] = E((x - 22, y + h + 8, 44, 22), "dpi scale start", style="none")
    a[32] = E((x + w - 30, y + h + 8, 60, 22), "dpi scale end", style="none")
    return a


EDIT = (862, 408, 104, 24)
GROUP_LIST = (28, 158, 292, 440)
EVENT_LIST = (346, 158, 326, 440)


def _macro():
    m = {}
    m[0] = E((24, 122, 300, 30), "group list caption", "Macro groups", "Группы макросов",
             "caption")
    m[1] = E((342, 122, 334, 30), "event list caption", "Macro steps", "Шаги макроса",
             "caption")
    m[2] = E((698, 158, 278, 46), "record", "Record", "Запись", "record")
    m[3] = E((698, 214, 278, 46), "insert", "Insert", "Вставить", "insert")
    m[4] = E((698, 282, 278, 26), "playback caption", "Playback", "Воспроизведение", "caption")
    m[5] = E((698, 314, 278, 40), "repeat until stopped", "Repeat until stopped",
             "Повтор до остановки", "option")
    m[6] = E((698, 360, 278, 40), "repeat count", "Repeat a number of times",
             "Повтор заданное число раз", "option")
    m[7] = E((698, 406, 160, 28), "count caption", "Times", "Раз", "caption")
    m[8] = E((698, 460, 278, 30), "hint", "Right-click a list for more",
             "ПКМ по списку: ещё действия", "caption")
    return m


def _color():
    c = {}
    c[0] = E((60, 136, 400, 30), "mode caption", "Lighting mode", "Режим подсветки", "caption")
    modes = [("Colour cycle (slow)", "Смена цветов (медленно)", "slow"),
             ("Colour cycle (fast)", "Смена цветов (быстро)", "fast"),
             ("Steady DPI colour", "Цвет уровня DPI", "steady"),
             ("Off", "Выключено", "off")]
    for i, (en, ru, icon) in enumerate(modes):
        c[1 + i] = E((60, 178 + i * 70, 400, 56), "mode %d" % i, en, ru, "mode", icon=icon)
    c[5] = E((540, 136, 420, 440), "preview", style="preview")
    return c


MAIN = _main()
ADVANCED = _advanced()
MACRO = _macro()
COLOR = _color()

# Level colours of the four DPI levels (the program fills the swatches with these) and the
# LED preview colours: state 0 = blue picture, 1 = normal (pink), 2 = hover (red),
# 3 = pressed (purple); grey when the LED is off.
LEVEL_COLOURS = [(0, 0, 255), (255, 0, 255), (255, 0, 0), (128, 0, 255)]
PREVIEW = {"blue": (40, 90, 255), "pink": (255, 40, 230), "red": (255, 40, 40),
           "purple": (150, 50, 255), "gray": (70, 75, 84)}

# Popups. Row height 30 in both so that a sub-menu's last row is level with its main row;
# one extra pixel line because the program shows rows x 30 + 1 lines.
MENU = dict(w=220, rows=10, row_h=30, arrows=(7, 8, 9, 10))
SUBMENU = dict(w=220, rows=12, row_h=30, arrows=())

KEYSET_SIZE = (320, 180)
KEYSET = {
    0: E((40, 52, 240, 46), "key", "", "", "keyfield"),
    1: E((40, 120, 112, 40), "ok", "OK", "OK", "button"),
    2: E((168, 120, 112, 40), "cancel", "Cancel", "Отмена", "button"),
    3: E((20, 14, 280, 30), "caption", "Press a key", "Нажмите клавишу", "caption"),
}

WARNING_SIZE = (440, 150)
WARNING = {
    0: E((64, 92, 148, 40), "continue", "Continue", "Продолжить", "button"),
    1: E((228, 92, 148, 40), "cancel", "Cancel", "Отмена", "button"),
    2: E((20, 24, 400, 46), "message", "This is the only button with the left click",
         "Это единственная кнопка с левым кликом", "caption"),
}

# Function names 1 to 54. Codes 7 to 10 head the popup's sub-menus; codes without a function
# read "Disabled".
_OFF = ("Disabled", "Отключено")
FUNCTIONS = {
    1: ("Left click", "Левый клик"),
    2: ("Right click", "Правый клик"),
    3: ("Middle click", "Средний клик"),
    4: ("Back", "Назад"),
    5: ("Forward", "Вперёд"),
    6: ("DPI cycle", "Переключение DPI"),
    7: ("Mouse functions", "Функции мыши"),
    8: ("Multimedia", "Мультимедиа"),
    9: ("Macros", "Макросы"),
    10: ("Shortcuts", "Быстрые команды"),
    11: ("Rapid fire", "Автоогонь"),
    12: ("Double click", "Двойной клик"),
    13: ("Sniper", "Снайпер"),
    14: ("Report rate", "Частота опроса"),
    15: ("DPI up", "DPI +"),
    16: ("DPI down", "DPI -"),
    21: ("Browser home", "Домашняя страница"),
    22: ("Media player", "Медиаплеер"),
    23: ("E-mail", "Почта"),
    24: ("Volume up", "Громкость +"),
    25: ("Volume down", "Громкость -"),
    26: ("Previous track", "Предыдущий трек"),
    27: ("Next track", "Следующий трек"),
    28: ("Mute", "Без звука"),
    29: ("Play / Pause", "Пуск / Пауза"),
    30: ("Calculator", "Калькулятор"),
    31: ("Copy", "Копировать"),
    32: ("Paste", "Вставить"),
    33: ("Select all", "Выделить всё"),
    34: ("Undo", "Отменить"),
    35: ("Find", "Найти"),
    36: ("Close window", "Закрыть окно"),
    37: ("Computer", "Компьютер"),
    38: ("Lock computer", "Блокировка ПК"),
    40: ("Command prompt", "Командная строка"),
}
for _k in range(1, 55):
    FUNCTIONS.setdefault(_k, _OFF)

# Rows of the sub-menus, for the popup pictures' arrows and the size check.
SUBMENU_ROWS = {7: [11, 12, 13, 15, 16], 8: list(range(21, 31)), 10: list(range(31, 39))}

# Layout files: (English name, second-language name, [(section, table, first key, last key)])
LAYOUTS = {
    "main": ("skin_main_en.ini", "skin_main.ini"),
    "advanced": ("skin_advance_en.ini", "skin_advance.ini"),
    "color": ("skin_color_en.ini", "skin_color.ini"),
    "macro": ("skin_mac_en.ini", "skin_mac.ini"),
    "warning": ("LBWarning_en.ini", "LBWarning.ini"),
    "keyset": ("skin_keyset_en.ini", "skin_keyset.ini"),
}
