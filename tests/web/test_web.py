"""The browser edition as a user meets it: the real page in headless Chromium, real keys, mouse and
touch through WebDriver, pixels from screenshots, Chromium's accessibility tree. What it expects
is tests/drawn.txt's, which every suite reads; judge looks at the pixels with sight.h. Run by
CTest."""
import io
import os
import pathlib
import re
import shlex
import socket
import subprocess
import sys
import tempfile
import unittest

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

WEB = pathlib.Path(os.environ['TALLINO_WEB'])
JUDGE = shlex.split(os.environ['TALLINO_JUDGE'])


def read_drawn():
    """tests/drawn.txt's records, as drawn.h reads them for the other suites."""
    expand = lambda text: re.sub(r'\{(U\+)?([0-9A-F]+)\}', lambda m: chr(int(m[2], 16)) if m[1] else ' ' * int(m[2]), text)
    records = {}
    for line in (pathlib.Path(__file__).parent.parent / 'drawn.txt').read_text().splitlines():
        fields = [expand(field.strip()) for field in line.split(';')]
        if len(fields) > 1 and not line.startswith('#'):
            records.setdefault(fields[0], []).append(fields[1:])
    spoken = dict(records['spoken'])
    return {'windows': {n: {'caption': c, 'size': [0, 0, *map(int, s.split())]} for n, c, s in records['window']},
            'controls': [{'window': f[0], 'name': f[1], 'box': [*map(int, f[3].split())], 'text': f[10], 'enabled': f[5] == 'yes'}
                         for f in records['control']],
            'tabRound': records['tab round'][0][0].split(), 'boxNames': records['boxes'][0][0].split(),
            'typings': [{'name': n, 'before': b, 'home': h == 'yes', 'characters': [*map(ord, k)], 'clipboard': None if c == '-' else c,
                         'after': a} for n, b, h, k, c, a in records['typing']],
            'presses': records['press'], 'spoken1025': spoken.pop('1025'), 'spoken': spoken}


DRAWN = read_drawn()
SINGLE = (WEB / 'tallino.html').as_uri()
TWIPS_PER_PX = 1440 / 96  # CSS's pixel
# drawn.h's typings as keys: the control characters as the keys that deliver them.
KEYS = {8: Keys.BACKSPACE, 13: Keys.ENTER, 22: ('v', Keys.CONTROL)}

# A window's controls as the page shows them, for judge: name, box in device pixels, enabled, colour, text.
SEEN = r'''return [...document.querySelectorAll(`[data-name="${arguments[0]}"] .client > [data-name]`)].map((c) => {
    const r = c.getBoundingClientRect(), { x, y } = arguments[1], scale = arguments[2];
    return [c.dataset.name, ...[r.x - x, r.y - y, r.width, r.height].map((v) => Math.round(v * scale)), c.disabled ? 0 : 1,
            getComputedStyle(c).color.match(/\d+/g).join(), c.localName === 'input' ? c.value : c.textContent].join('\t'); })'''


def chromium(*arguments):
    options = webdriver.ChromeOptions()
    for argument in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-sync',
                     '--disable-background-networking', '--disable-component-update', f'--user-data-dir={tempfile.mkdtemp()}', *arguments):
        options.add_argument(argument)
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
    return webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)


class Browser(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.driver = chromium()
        cls.driver.execute_cdp_cmd('Browser.grantPermissions', {'permissions': ['clipboardReadWrite', 'clipboardSanitizedWrite']})
        cls.addClassCleanup(cls.driver.quit)
        cls.screen(cls)

    def screen(self, zoom=1, ratio=1):  # room for the abacus window at zoom times its size, to spare
        width, height = (size / TWIPS_PER_PX * zoom for size in DRAWN['windows']['tallino']['size'][2:])
        spare = 40 * (zoom == 1)  # down at its own size, across at another: each side limits it once
        self.driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
            'width': round(width) + 40 - spare, 'height': round(height) + spare, 'deviceScaleFactor': ratio, 'mobile': False})
        return width

    def tearDown(self):  # nothing reaches the console, ever
        self.assertEqual([e for e in self.driver.get_log('browser') if e['level'] != 'INFO'], [])

    def load(self, url=SINGLE):
        self.driver.get(url)
        WebDriverWait(self.driver, 10).until(lambda d: self.js('return document.documentElement.dataset.ready'))

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def control(self, name, window='tallino'):
        return self.driver.find_element('css selector', f'[data-name="{window}"] [data-name="{name}"]')

    def windows(self, name):
        return self.driver.find_elements('css selector', f'[data-name="{name}"]')

    def focused(self):
        return self.js('return document.activeElement.dataset.name')

    def keys(self, *keys):  # a key, or a key and the one held down with it
        actions = webdriver.ActionChains(self.driver)
        for key in keys:
            key, held = key if isinstance(key, tuple) else (key, None)
            actions.key_down(held).send_keys(key).key_up(held) if held else actions.send_keys(key)
        actions.perform()

    def type_number(self, digits, names=DRAWN['boxNames']):
        for name, text in zip(names, digits):
            self.control(name).click()
            self.keys(Keys.END, (Keys.HOME, Keys.SHIFT), text or Keys.DELETE)

    def number(self):
        return ''.join(self.control(name).get_property('value') for name in DRAWN['boxNames'])

    def press(self, name, pointer='mouse', window='tallino'):
        finger = ActionBuilder(self.driver, mouse=PointerInput(getattr(interaction, f'POINTER_{pointer.upper()}'), pointer))
        finger.pointer_action.move_to(self.control(name, window)).pointer_down().pause(0.05).pointer_up()
        finger.perform()

    def rect(self, element):
        return self.js('return arguments[0].getBoundingClientRect().toJSON()', element)

    def scaled(self, window):
        client = self.rect(self.driver.find_element('css selector', f'[data-name="{window}"] .client'))
        return client, client['width'] / DRAWN['windows'][window]['size'][2]

    def check_window(self, window):  # centred, give or take one of its pixels; each control in its place
        frame, (width, height) = self.rect(self.windows(window)[0]), self.js('return [innerWidth, innerHeight]')
        client, scale = self.scaled(window)
        self.assertLessEqual(abs(2 * frame['x'] + frame['width'] - width), 2 * scale * TWIPS_PER_PX)
        self.assertLessEqual(abs(2 * frame['y'] + frame['height'] - height), 2 * scale * TWIPS_PER_PX)
        self.assertAlmostEqual(client['height'] / scale, DRAWN['windows'][window]['size'][3], delta=2 / scale)
        for drawn in (c for c in DRAWN['controls'] if c['window'] == window):
            rect = self.rect(self.control(drawn['name'], window))
            for got, wanted in zip((rect['x'] - client['x'], rect['y'] - client['y'], rect['width'], rect['height']), drawn['box']):
                self.assertAlmostEqual(got / scale, wanted, delta=1.5 / scale, msg=drawn['name'])

    def judge(self, window, argument='', controls=True):
        """What sight.h misses in the window's client area, and in its controls as the page shows them."""
        (client, scale), ratio = self.scaled(window), self.js('document.body.style.caretColor = "transparent"; return devicePixelRatio')
        shot = Image.open(io.BytesIO(self.driver.get_screenshot_as_png())).convert('RGB')
        area = shot.crop([round(client[edge] * ratio) for edge in ('left', 'top', 'right', 'bottom')])
        seen = self.js(SEEN, window, client, ratio) if controls else []
        with tempfile.NamedTemporaryFile() as raw, tempfile.NamedTemporaryFile('w') as listed:
            raw.write(area.tobytes())
            listed.write(''.join(f'{line}\n' for line in seen))
            raw.flush(), listed.flush()
            return subprocess.run(JUDGE + [window, raw.name, str(area.width), str(scale * ratio), listed.name, argument],
                                  capture_output=True, text=True, check=True).stdout.strip()


class Page(Browser):  # tallino.html opened from file://, as from a USB stick

    def setUp(self):
        self.load()

    def test_places_and_drawing_at_two_scales(self):
        for zoom, ratio in ((1.5, 2), (1, 1)):
            width = self.screen(zoom, ratio)
            self.load()
            self.check_window('tallino')
            self.assertAlmostEqual(self.scaled('tallino')[0]['width'], width, delta=1)
            title = self.control('Label1')  # the decorative face narrowed until the title fits
            self.assertLessEqual(self.js('return arguments[0].firstChild.getBoundingClientRect().right', title), self.rect(title)['right'])
            for digits in ('0000', '9999', '1111'):  # the controls' looks where frames are as thin as a desktop's
                self.type_number(digits)
                self.assertEqual(self.judge('tallino', digits[0], ratio == 1 and digits == '0000'), '', f'{digits} at {zoom}x{ratio}')

    def test_tab_round_and_fonts(self):
        round_ = [self.focused()]
        for _ in DRAWN['tabRound'][1:]:
            self.keys(Keys.TAB)
            round_.append(self.focused())
        self.assertEqual(round_, DRAWN['tabRound'])
        self.keys(Keys.ENTER)  # presses the focused button, the units "-"
        self.assertEqual(self.number(), '0999')
        self.assertEqual(self.control('unità').get_attribute('inputmode'), 'numeric')
        # Every text in a face the page carries, none in one of the machine's.
        for domain in ('DOM', 'CSS'):
            self.driver.execute_cdp_cmd(f'{domain}.enable', {})
        root = self.driver.execute_cdp_cmd('DOM.getDocument', {'depth': -1})['root']['nodeId']
        for node in self.driver.execute_cdp_cmd('DOM.querySelectorAll', {'nodeId': root, 'selector': '[data-name][style*=pt]'})['nodeIds']:
            fonts = self.driver.execute_cdp_cmd('CSS.getPlatformFontsForNode', {'nodeId': node})['fonts']
            self.assertTrue(fonts and all(font['isCustomFont'] for font in fonts), fonts)

    def test_typing(self):  # pasted by Shift+Insert, as on the desktop
        for typing in DRAWN['typings']:
            with self.subTest(**typing):
                self.load()
                self.type_number([typing['before'].replace('|', '')], ['unità'])
                self.keys(*[Keys.HOME] * (typing['before'].startswith('|') or typing['home']))
                self.keys(*[(Keys.HOME, Keys.SHIFT)] * ('|' not in typing['before']))
                for key in [KEYS.get(c, chr(c)) for c in typing['characters']]:
                    self.keys(key)
                    if self.windows('dialog'):  # its OK tapped; the focus goes back to the box
                        self.press('OKButton', 'touch', 'dialog')
                if not typing['characters']:
                    self.driver.execute_async_script('navigator.clipboard.writeText(arguments[0]).then(arguments[1])', typing['clipboard'] or '')
                    self.keys((Keys.INSERT, Keys.SHIFT))
                value, start, end = self.js('const b = arguments[0]; return [b.value, b.selectionStart, b.selectionEnd]', self.control('unità'))
                self.assertEqual(value[:start] + (value[start:end].join('[]') if end > start else '|') + value[end:], typing['after'])

    def test_presses(self):
        for before, button, after in DRAWN['presses']:
            with self.subTest(before=before, button=button):
                self.type_number(before)
                self.press(button, 'touch')
                self.assertEqual(self.number(), after)
                box = self.control(DRAWN['boxNames'][-1])
                self.assertEqual(self.js('return arguments[0].selectionStart', box), len(box.get_property('value')))

    def test_error_dialog(self):
        self.press('Command9')  # the About window is open too
        self.type_number(['12', '99'], ['unità'] * 2)  # the second while it is open: the same dialog, in front
        [dialog] = self.windows('dialog')
        self.assertEqual((self.number(), self.focused()), ('0000', 'OKButton'))
        self.assertEqual(dialog.find_element('css selector', '.caption').text, DRAWN['windows']['dialog']['caption'])
        rect = self.rect(dialog)
        self.assertTrue(self.js('return arguments[0].contains(document.elementFromPoint(arguments[1], arguments[2]))',
                                dialog, rect['x'] + rect['width'] / 2, rect['y'] + rect['height'] / 2))
        self.check_window('dialog')
        self.assertEqual(self.judge('dialog'), '')
        self.keys(Keys.ESCAPE)
        self.assertTrue(dialog.is_displayed())
        self.keys(Keys.ENTER)
        self.assertEqual((self.windows('dialog'), self.focused()), ([], 'unità'))
        self.press('Command1', 'touch')  # the abacus is still usable with the About window open
        self.assertEqual(self.number(), '0001')
        self.type_number(['12'], ['unità'])  # once more: the About window closed, the focus goes
        self.press('cmdOK', 'touch', 'frmAbout')  # back to the window used last
        self.assertEqual((self.windows('frmAbout'), self.focused()), ([], 'OKButton'))

    def test_about_window(self):
        for close in (Keys.ESCAPE, Keys.ENTER, None):
            self.press('Command9')
            self.press('Command9', 'touch')
            [about] = self.windows('frmAbout')
            self.assertEqual(about.find_element('css selector', '.caption').text, DRAWN['windows']['frmAbout']['caption'])
            self.check_window('frmAbout')
            ground = self.js('return getComputedStyle(arguments[0]).backgroundColor.match(/\\d+/g).join()', about.find_element('css selector', '.client'))
            self.assertEqual(self.judge('frmAbout', ground), '')
            if close == Keys.ENTER:  # the default button's, wherever the focus is in the window
                self.control('lblDescription', 'frmAbout').click()
            self.keys(close) if close else self.press('cmdOK', 'touch', 'frmAbout')
            self.assertEqual((self.windows('frmAbout'), self.focused()), ([], 'Command9'))

    def test_spoken(self):
        self.type_number('1025')
        said = {node['name']['value']: node for node in self.driver.execute_cdp_cmd('Accessibility.getFullAXTree', {})['nodes']
                if node.get('name', {}).get('value')}
        for name, words in DRAWN['spoken'].items():
            self.assertTrue(said[words].get('description', {}).get('value'), name)
        self.assertEqual(said[DRAWN['spoken1025']]['role']['value'], 'image')
        live = self.driver.find_element('css selector', '[aria-live=polite]')
        self.assertEqual(live.get_property('textContent'), DRAWN['spoken1025'])

    def test_fine_in_a_tab(self):
        self.load()  # a second entry in the tab's history: no script may close it
        self.press('Command10', 'touch')
        self.assertEqual(self.windows('tallino'), [])
        self.driver.find_element('css selector', 'button').click()  # the only one: start again
        WebDriverWait(self.driver, 10).until(lambda d: self.windows('tallino'))


class Served(Browser):
    def test_installable_and_offline(self):
        with socket.socket() as probe:
            probe.bind(('127.0.0.1', 0))
            port = probe.getsockname()[1]
        server = subprocess.Popen([sys.executable, '-m', 'http.server', str(port), '--bind', '127.0.0.1'],
                                  cwd=WEB / 'served', stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            WebDriverWait(None, 5, ignored_exceptions=(OSError,)).until(lambda _: socket.create_connection(('127.0.0.1', port)).close() or True)
            self.load(f'http://127.0.0.1:{port}/')
            WebDriverWait(self.driver, 10).until(lambda d: self.js('return navigator.serviceWorker.controller !== null'))
            self.assertEqual(self.driver.execute_cdp_cmd('Page.getAppManifest', {})['errors'], [])
            self.assertEqual(self.driver.execute_cdp_cmd('Page.getInstallabilityErrors', {})['installabilityErrors'], [])
            self.driver.execute_cdp_cmd('Network.clearBrowserCache', {})  # only the worker keeps the files
        finally:
            server.terminate()
            server.wait()
        self.load(f'http://127.0.0.1:{port}/')  # from the worker's cache: the server is gone
        self.press('Command1')
        self.assertEqual(self.number(), '0001')


class AppWindow(unittest.TestCase):
    def test_fine_closes_the_app_window(self):
        driver = chromium(f'--app={SINGLE}')
        self.addCleanup(driver.quit)
        WebDriverWait(driver, 10).until(lambda d: d.execute_script('return document.documentElement.dataset.ready'))
        app = driver.current_window_handle
        driver.switch_to.new_window('tab')  # keeps the session when the app window goes
        driver.switch_to.window(app)
        driver.find_element('css selector', '[data-name="Command10"]').click()
        WebDriverWait(driver, 5).until(lambda d: app not in d.window_handles)
