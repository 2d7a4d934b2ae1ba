#!/usr/bin/python3
"""What a screen reader finds of the app on the accessibility bus (AT-SPI).

Run by screen_reader.sh, which starts a private session bus, the accessibility bus and the
app in a virtual display. Checks that the daily invitation and a card's detail expose their
texts with roles, and that a section can be opened by the reader's own action.
usage: screen_reader.py CARD_FILE
"""
import json
import sys
import time

import pyatspi

TIMEOUT = 30


def nodes(root):
    """Every accessible under `root`, skipping objects that went away while walking."""
    found, stack = [], [root]
    while stack:
        node = stack.pop()
        try:
            found.append((node.getRoleName(), node.name or '', node))
            stack.extend(child for child in node if child is not None)
        except Exception:  # an object removed between listing and reading it
            continue
    return found


def wait_for(what, probe):
    end = time.time() + TIMEOUT
    while time.time() < end:
        result = probe()
        if result:
            return result
        time.sleep(0.2)
    sys.exit(f'not found on the accessibility bus: {what}')


def application():
    def probe():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and (app.name or '') == 'Quillmoor Tarot':
                return app
    return wait_for('the application', probe)


def node(app, role, name):
    def probe():
        for found_role, found_name, found in nodes(app):
            if found_role == role and found_name == name:
                return found
    return wait_for(f'{role} "{name}"', probe)


def press(app, role, name):
    action = node(app, role, name).queryAction()
    names = [action.getName(i).lower() for i in range(action.nActions)]
    if 'press' not in names:
        sys.exit(f'{role} "{name}" offers no press action, only {names}')
    action.doAction(names.index('press'))


def to_roman(number):
    numerals = ((10, 'X'), (9, 'IX'), (5, 'V'), (4, 'IV'), (1, 'I'))
    text = ''
    for value, numeral in numerals:
        while number >= value:
            text, number = text + numeral, number - value
    return text


def main():
    with open(sys.argv[1], encoding='utf-8') as file:
        magician = next(card for card in json.load(file) if card['id'] == 'major_01')
    app = application()

    # The daily invitation reads as its words, with its title as a heading.
    node(app, 'heading', 'Your Daily Card Awaits')
    node(app, 'label', 'Focus on your intention, then click to shuffle and draw your card for the day.')
    node(app, 'push button', 'Shuffle and draw')
    texts = [name for role, name, _ in nodes(app) if role == 'label']
    months = ('January', 'February', 'March', 'April', 'May', 'June', 'July', 'August', 'September',
              'October', 'November', 'December')
    if not any(any(month in text for month in months) and any(c.isdigit() for c in text) for text in texts):
        sys.exit(f"the moon's date is not read; labels: {texts}")
    # Nothing hidden is read: no streak before the first draw, no empty text.
    if any('day streak' in text or not text for text in texts):
        sys.exit(f'hidden or empty texts are read: {texts}')

    # The reader can choose a section with its own action, as a click does.
    press(app, 'list item', 'Library')

    # A card opened by the reader reads as its words: name, number line, keywords, meaning and
    # the picture's description, each with its role.
    press(app, 'push button', magician['name'])
    node(app, 'heading', magician['name'])
    node(app, 'label', f"{to_roman(magician['number'])} \u2014 Major Arcana")
    for keyword in magician['uprightKeywords']:
        node(app, 'label', keyword)
    node(app, 'heading', 'Upright Meaning')
    node(app, 'paragraph', magician['uprightMeaning'])
    node(app, 'paragraph', magician['artDescription'])
    print('the daily invitation and a card\'s detail are read with their texts, opened by the reader')


if __name__ == '__main__':
    main()
