#!/usr/bin/python3
"""What a screen reader finds of the app on the accessibility bus (AT-SPI).

Run by screen_reader.sh, which starts a private session bus, the accessibility bus and the
app in a virtual display, with a store that holds a reflection changed on two computers.
Walks every section and every screen pushed from them with the reader's own press action,
and on each fails on an interactive object or a picture without a name, or a card that is
not read by its name (and position, where it has one) with its picture's description.
usage: screen_reader.py CARD_FOLDER
       screen_reader.py --prepare APP SCRATCH   (makes the store and its conflict first)
"""
import datetime
import glob
import json
import os
import sys
import time

import pyatspi

TIMEOUT = 10
POLL = 0.05  # seconds between looks at the tree while waiting for something to appear
INTERACTIVE = {'push button', 'toggle button', 'check box', 'radio button', 'menu item', 'entry', 'text',
               'slider', 'spin button', 'combo box', 'page tab', 'link', 'list item', 'password text',
               'check menu item', 'radio menu item', 'table cell'}


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


def showing(root, everything=False):
    """The objects a reader meets on screen now: (role, name, description, object); with
    `everything`, also those scrolled out of view, which the reader reaches by moving to them."""
    seen = []
    for role, name, node in nodes(root):
        try:
            if everything or node.getState().contains(pyatspi.STATE_SHOWING):
                seen.append((role, name, node.description or '', node))
        except Exception:
            continue
    return seen


def wait_for(what, probe):
    end = time.time() + TIMEOUT
    while time.time() < end:
        result = probe()
        if result:
            return result
        time.sleep(POLL)
    sys.exit(f'not found on the accessibility bus: {what}')


def application():
    def probe():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and (app.name or '') == 'Quillmoor Tarot':
                return app
    return wait_for('the application', probe)


def node(app, role, name, prefix=False, scrolled=False):
    """A showing object; with `scrolled`, one out of view is given the focus first, as a
    reader moving to it does, which scrolls it into view."""
    def probe():
        for found_role, found_name, _, found in showing(app, everything=scrolled):
            if found_role == role and (found_name.startswith(name) if prefix else found_name == name):
                if scrolled and not found.getState().contains(pyatspi.STATE_SHOWING):
                    found.queryComponent().grabFocus()
                    return None
                return found
    end = time.time() + TIMEOUT
    while time.time() < end:
        found = probe()
        if found:
            return found
        time.sleep(POLL)
    present = sorted({found_name for found_role, found_name, _, _ in showing(app) if found_role == role})
    sys.exit(f'not found on the accessibility bus: {role} "{name}"; there are {present}')


def press(app, role, name, prefix=False, scrolled=False):
    action = node(app, role, name, prefix, scrolled).queryAction()
    names = [action.getName(i).lower() for i in range(action.nActions)]
    if 'press' not in names:
        sys.exit(f'{role} "{name}" offers no press action, only {names}')
    action.doAction(names.index('press'))


def focus_path(app):
    """The focused object and its ancestors, as (role, name), innermost first."""
    for _, _, _, found in showing(app):
        try:
            if not found.getState().contains(pyatspi.STATE_FOCUSED) or found.getRoleName() == 'layered pane':
                continue
        except Exception:
            continue
        path, item = [], found
        while item is not None:
            path.append((item.getRoleName(), item.name or ''))
            item = item.parent
        return path
    return []


def focus_is_in(app, name, loosely=False):
    """The focus is on, or inside, a pane called `name` (or, loosely, a name within it or
    holding it, for screens titled shorter than the row that opens them): what a reader says
    as it moves."""
    def matches(role, found):
        return role == 'panel' and found and (found == name or loosely and (found in name or name in found))
    end = time.time() + TIMEOUT
    while time.time() < end:
        if any(matches(role, found) for role, found in focus_path(app)):
            return
        time.sleep(POLL)
    sys.exit(f'the focus is not in a pane read as "{name}", but in {focus_path(app)}')


class Catalogue:
    def __init__(self, folder):
        self.cards = []
        for path in sorted(glob.glob(os.path.join(folder, '*.json'))):
            with open(path, encoding='utf-8') as file:
                self.cards.extend(json.load(file))
        self.by_description = {card['artDescription']: card for card in self.cards}

    def card(self, card_id):
        return next(card for card in self.cards if card['id'] == card_id)


failures = []


def audit(app, screen, catalogue, cards_at_least=0):
    """Checks what is on screen now; returns the cards read there as (name, card)."""
    settled(app)
    cards = []
    for role, name, description, _ in showing(app):
        if role in INTERACTIVE and not name.strip():
            failures.append(f'{screen}: a {role} without a name')
        if role == 'image' and not name.strip():
            failures.append(f'{screen}: a picture without a name')
        card = catalogue.by_description.get(description)
        if card:
            spoken = name.split(': ', 1)[-1]
            if spoken not in (card['name'], card['name'] + ', reversed'):
                failures.append(f'{screen}: the card {card["name"]} is read as "{name}"')
            cards.append((name, card))
    if len(cards) < cards_at_least:
        failures.append(f'{screen}: {len(cards)} cards read with their pictures, expected {cards_at_least}')
    return cards


_page_holders = []


def showing_pages(holders):
    pages = []
    for holder in holders:
        for child in holder:
            if child is not None and child.getRoleName() == 'panel' \
                    and child.getState().contains(pyatspi.STATE_SHOWING):
                pages.append(child.name or '')
    return pages


def page(app):
    """The name of the one screen showing in the section's stack, or None while none is built
    yet or one slides in or out (then two show). The screens are children of their stack's
    layered pane: the last stack found is read first, and the whole tree is walked again when
    it does not hold exactly one (another section's stack has replaced it)."""
    try:
        pages = showing_pages(_page_holders)
        if len(pages) != 1:
            _page_holders[:] = []
            for role, _, found in nodes(app):
                holder = found.parent
                if role == 'panel' and holder.getRoleName() == 'layered pane' and holder not in _page_holders:
                    _page_holders.append(holder)
            pages = showing_pages(_page_holders)
    except Exception:  # gone while being read: the screen is changing
        return None
    return pages[0] if len(pages) == 1 else None


def settled(app):
    """Waits until one screen shows: a screen sliding in or out has arrived."""
    wait_for('a single screen on show', lambda: page(app) is not None)


def open_screen(app, role, name, prefix=False):
    """Presses what opens another screen, and waits until that screen alone shows."""
    settled(app)
    before = page(app)
    press(app, role, name, prefix)
    wait_for(f'the screen opened by {role} "{name}"', lambda: page(app) not in (None, before))


def back(app):
    before = focus_path(app)
    open_screen(app, 'push button', 'Back')
    end = time.time() + TIMEOUT
    while focus_path(app) == before and time.time() < end:
        time.sleep(POLL)


def walk_daily(app, catalogue):
    node(app, 'heading', 'Your Daily Card Awaits')
    node(app, 'label', 'Focus on your intention, then click to shuffle and draw your card for the day.')
    texts = [name for role, name, _, _ in showing(app) if role == 'label']
    if any('day streak' in text or not text for text in texts):
        failures.append(f'daily card: hidden or empty texts are read: {texts}')
    audit(app, 'the daily invitation', catalogue)
    press(app, 'push button', 'Shuffle and draw')
    focus_is_in(app, 'Your card lies face down. Turn it over when you are ready.')
    press(app, 'push button', 'Face-down card')
    pane = node(app, 'panel', "Today's card: ", prefix=True)
    cards = audit(app, 'the daily card', catalogue, cards_at_least=1)
    if cards and cards[0][1]['name'] not in pane.name:
        failures.append(f'the daily card pane says "{pane.name}" of {cards[0][1]["name"]}')


def walk_readings(app, catalogue):
    open_screen(app, 'list item', 'Readings')
    node(app, 'heading', 'Readings')
    audit(app, 'the readings menu', catalogue)

    press(app, 'push button', 'Celtic Cross')
    focus_is_in(app, 'Celtic Cross')
    audit(app, 'the Celtic Cross introduction', catalogue)
    press(app, 'push button', 'Begin Reading')
    focus_is_in(app, 'Celtic Cross: your 10 cards are laid out.')
    cards = audit(app, 'the Celtic Cross', catalogue, cards_at_least=10)
    if not any(name.startswith('The Present: ') for name, _ in cards):
        failures.append(f'the Celtic Cross does not read its positions: {[name for name, _ in cards]}')
    back(app)

    press(app, 'push button', 'Past, Present, Future')
    focus_is_in(app, 'Past, Present, Future')
    audit(app, 'the three-card introduction', catalogue)
    press(app, 'push button', 'Begin Reading')
    focus_is_in(app, 'Past, Present, Future: your 3 cards are laid out.')
    cards = audit(app, 'the three-card results', catalogue, cards_at_least=3)
    if not any(name.startswith('Present: ') for name, _ in cards):
        failures.append(f'the three cards do not read their positions: {[name for name, _ in cards]}')
    # A card opens in the sequence, read with its position.
    open_screen(app, 'push button', cards[0][0])
    audit(app, 'a card of the sequence', catalogue, cards_at_least=1)
    back(app)
    back(app)

    press(app, 'push button', 'Yes or No')
    focus_is_in(app, 'Yes or No')
    audit(app, 'the yes-or-no question', catalogue)
    back(app)

    for screen in ('Record a Reading', 'New Spread'):
        press(app, 'push button', screen)
        focus_is_in(app, screen)
        audit(app, screen, catalogue)
        back(app)

    press(app, 'push button', 'Reading History')
    focus_is_in(app, 'Reading History')
    audit(app, 'the reading history', catalogue)
    open_screen(app, 'push button', 'Past, Present, Future', prefix=True)
    audit(app, 'a stored reading', catalogue, cards_at_least=1)
    back(app)
    back(app)


def walk_study(app, catalogue):
    open_screen(app, 'list item', 'Study')
    audit(app, 'the study menu', catalogue)
    for article, title in (('Getting Started', 'Getting Started'), ('The Major Arcana', 'Major Arcana'),
                           ('Reversed Cards', 'Reversals')):
        press(app, 'push button', article)
        focus_is_in(app, title)
        audit(app, f'the article "{article}"', catalogue)
        back(app)
    press(app, 'push button', 'Flashcard Practice')
    focus_is_in(app, 'Flashcard Practice', loosely=True)
    audit(app, 'the flashcards', catalogue)
    back(app)


def walk_library(app, catalogue):
    open_screen(app, 'list item', 'Library')
    audit(app, 'the library', catalogue, cards_at_least=10)
    magician = catalogue.card('major_01')
    press(app, 'push button', magician['name'])
    focus_is_in(app, magician['name'])
    node(app, 'heading', magician['name'])
    numerals = ((10, 'X'), (9, 'IX'), (5, 'V'), (4, 'IV'), (1, 'I'))
    number, roman = magician['number'], ''
    for value, numeral in numerals:
        while number >= value:
            roman, number = roman + numeral, number - value
    node(app, 'label', f'{roman} \u2014 Major Arcana')
    for keyword in magician['uprightKeywords']:
        node(app, 'label', keyword)
    node(app, 'heading', 'Upright Meaning')
    node(app, 'paragraph', magician['uprightMeaning'])
    node(app, 'paragraph', magician['artDescription'])
    audit(app, "a card's detail", catalogue, cards_at_least=1)
    back(app)


def walk_journal(app, catalogue):
    open_screen(app, 'list item', 'Journal')
    audit(app, 'the journal', catalogue)
    # Today's cell, written in the reader's own date format.
    today = next(name for role, name, _, _ in showing(app) if role == 'push button' and name.endswith(', today'))
    press(app, 'push button', today)
    # The day opens beside the calendar, on the same screen: its card is what arrives.
    wait_for("the day's card", lambda: any(catalogue.by_description.get(description)
                                           for _, _, description, _ in showing(app)))
    audit(app, 'the journal on a day with a card', catalogue, cards_at_least=1)


def walk_insights(app, catalogue):
    open_screen(app, 'list item', 'Insights')
    audit(app, 'insights', catalogue)


def walk_sheets(app, catalogue):
    press(app, 'push button', 'Settings')
    node(app, 'push button', 'Turn Sync Off', scrolled=True)
    audit(app, 'settings', catalogue)
    press(app, 'push button', 'Changed on Two Computers', prefix=True, scrolled=True)
    node(app, 'push button', 'Keep the Merge')
    audit(app, 'the sheet of a text changed on two computers', catalogue)
    press(app, 'push button', 'Later')
    press(app, 'push button', 'Done')

    press(app, 'menu item', 'Help')
    press(app, 'menu item', 'Keyboard Shortcuts')
    node(app, 'heading', 'Keyboard Shortcuts')
    audit(app, 'the keyboard shortcuts', catalogue)
    press(app, 'push button', 'Done')
    press(app, 'menu item', 'Help')
    press(app, 'menu item', 'About Quillmoor Tarot')
    audit(app, 'about', catalogue)
    press(app, 'push button', 'Done')

    # The search field is reached and read by its purpose and its shortcut.
    field = node(app, 'text', 'Search readings, journal and notes')
    if field.description != 'Ctrl+K':
        failures.append(f'the search field does not give its shortcut: "{field.description}"')


def prepare(app, scratch):
    """Two computers' stores, synced through one folder after each wrote yesterday's
    reflection: the first, which the window opens, holds the conflict."""
    import subprocess
    import uuid
    yesterday = datetime.date.today() - datetime.timedelta(days=1)

    def stamp(hour):
        moment = datetime.datetime.combine(yesterday, datetime.time(hour)).astimezone()
        return moment.isoformat(timespec='milliseconds')

    def archive(name, reflection, notes):
        path = os.path.join(scratch, f'{name}.json')
        entry = {'id': str(uuid.uuid4()), 'date': stamp(0), 'dailyCardId': 'cups_03',
                 'dailyCardReversed': True, 'reflectionText': reflection, 'mood': 'Hopeful',
                 'journalPrompt': None}
        with open(path, 'w', encoding='utf-8') as file:
            json.dump({'format': 'quillmoor-tarot-archive', 'formatVersion': 1, 'appVersion': '1.0.0',
                       'exportedAt': stamp(20), 'settings': None, 'journalEntries': [entry],
                       'readings': [], 'cardNotes': notes}, file)
        return path

    def run(profile, *arguments):
        environment = dict(os.environ, XDG_DATA_HOME=profile, XDG_CONFIG_HOME=profile)
        result = subprocess.run([app, *arguments], env=environment, capture_output=True, text=True, timeout=60)
        if result.returncode != 0:
            sys.exit(f'{" ".join(arguments)} failed: {result.stdout}{result.stderr}')

    here, there, folder = (os.path.join(scratch, name) for name in ('data', 'other', 'sync'))
    os.makedirs(folder, exist_ok=True)
    note = {'id': str(uuid.uuid4()), 'cardId': 'cups_03', 'noteText': 'Friends around a table.',
            'lastModified': stamp(21)}
    run(here, '--import-archive', archive('here', 'A quiet evening at home.', [note]))
    run(there, '--import-archive', archive('there', 'A long walk by the river.', []))
    for profile in (here, there, here):
        run(profile, '--sync-folder', folder)
        run(profile, '--sync-now')


def main():
    if sys.argv[1] == '--prepare':
        prepare(sys.argv[2], sys.argv[3])
        return
    catalogue = Catalogue(sys.argv[1])
    app = application()
    walk_daily(app, catalogue)
    walk_readings(app, catalogue)
    walk_study(app, catalogue)
    walk_library(app, catalogue)
    walk_journal(app, catalogue)
    walk_insights(app, catalogue)
    walk_sheets(app, catalogue)
    if failures:
        sys.exit('\n'.join(['what a screen reader cannot read:'] + failures))
    print('every section, pushed screen and sheet walked by the reader: every control and card read')


if __name__ == '__main__':
    main()
