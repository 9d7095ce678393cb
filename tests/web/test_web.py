"""The browser edition as a user meets it: the real page in headless Chromium, real keys, mouse and touch, pixels from screenshots,
Chromium's accessibility tree. What it expects is tests/drawn.txt's; judge looks at the pixels with sight.h. Run by CTest."""
import io, os, pathlib, re, shlex, subprocess, sys, tempfile, unittest

from PIL import Image
from selenium import webdriver
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

WEB = pathlib.Path(os.environ['TALLINO_WEB'])
JUDGE = shlex.split(os.environ['TALLINO_JUDGE'])


DRAWN = {}  # tests/drawn.txt's records: each kind's a list of their fields, as drawn.h reads them for the other suites
expand = lambda text: re.sub(r'\{(U\+)?([0-9A-F]+)\}', lambda m: chr(int(m[2], 16)) if m[1] else ' ' * int(m[2]), text)
for line in (pathlib.Path(__file__).parents[1] / 'drawn.txt').read_text().splitlines():
    kind, *fields = [expand(field.strip()) for field in line.split(';')]
    if fields and not line.startswith('#'):
        DRAWN.setdefault(kind, []).append(fields)
WINDOWS = {name: (caption, [*map(int, size.split())]) for name, caption, size in DRAWN['window']}
BOXES, SPOKEN = DRAWN['boxes'][0][0].split(), dict(DRAWN['spoken'])
SINGLE = (WEB / 'tallino.html').as_uri()
TWIPS_PER_PX = 1440 / 96  # CSS's pixel
KEYS = {'\b': Keys.BACKSPACE, '\r': Keys.ENTER, '\x16': Keys.CONTROL + 'v' + Keys.NULL}  # the keys that deliver these characters
# A window's controls as the page shows them, for judge: name, box in device pixels, enabled, colour, text.
SEEN = r'''return [...document.querySelectorAll(`[data-name="${arguments[0]}"] .client > [data-name]`)].map((c) => {
    const r = c.getBoundingClientRect(), { x, y } = arguments[1], scale = arguments[2];
    return [c.dataset.name, ...[r.x - x, r.y - y, r.width, r.height].map((v) => Math.round(v * scale)), c.disabled ? 0 : 1,
            getComputedStyle(c).color.match(/\d+/g).join(), c.localName === 'input' ? c.value : c.textContent].join('\t'); })'''


def chromium(*arguments):
    options = webdriver.ChromeOptions()
    options.arguments.extend(['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-sync',
                              '--disable-background-networking', '--disable-component-update', f'--user-data-dir={tempfile.mkdtemp()}', *arguments])
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
    return webdriver.Chrome(options=options)


class Page(unittest.TestCase):  # tallino.html opened from file://, as from a USB stick, unless served
    @classmethod
    def setUpClass(cls):
        cls.driver = chromium()
        cls.addClassCleanup(cls.driver.quit)
        cls.driver.execute_cdp_cmd('Browser.grantPermissions', {'permissions': ['clipboardReadWrite', 'clipboardSanitizedWrite']})

    def screen(self, zoom=1, ratio=1):  # the abacus window at zoom times its size: across at its own size, down at another
        self.zoom = zoom
        width, height = (round(size / TWIPS_PER_PX * zoom) for size in WINDOWS['tallino'][1])
        self.driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
            'width': width + 40 * (zoom != 1), 'height': height + 40 * (zoom == 1), 'deviceScaleFactor': ratio, 'mobile': False})

    def setUp(self):
        self.screen()
        self.load()

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

    def keys(self, *keys):  # typed where the focus is, a modifier held until Keys.NULL; where the focus is then
        self.driver.switch_to.active_element.send_keys(*keys)
        return self.focused()

    def type_number(self, digits, names=BOXES):
        for name, text in zip(names, digits):
            self.control(name).click()
            self.keys(Keys.END, Keys.SHIFT, Keys.HOME, Keys.NULL, text or Keys.DELETE)

    def number(self):
        return ''.join(self.control(name).get_property('value') for name in BOXES)

    def press(self, name, pointer='mouse', window='tallino'):
        finger = ActionBuilder(self.driver, mouse=PointerInput(pointer, pointer))
        finger.pointer_action.move_to(self.control(name, window)).pointer_down().pause(0.05).pointer_up()
        finger.perform()

    def check_window(self, window, argument=None, controls=True):
        """Centred at the page's zoom, with its caption; nothing that sight.h misses in its drawing or on its ground, nor its controls."""
        [frame] = self.windows(window)
        caption, frame, client, ground, width, height, ratio, shown = self.js('''const f = arguments[0], c = f.querySelector('.client');
            document.body.style.caretColor = 'transparent';
            const [r, right] = [f.getBoundingClientRect(), (e) => e.getBoundingClientRect().right];
            return [f.querySelector('.caption')?.textContent ?? document.title, ...[f, c].map((e) => e.getBoundingClientRect().toJSON()),
                    getComputedStyle(c).backgroundColor.match(/\\d+/g).join(), innerWidth, innerHeight, devicePixelRatio,
                    f.contains(document.elementFromPoint(r.x + r.width / 2, r.y + r.height / 2))  // in front, and its texts fit
                    && [...c.querySelectorAll('[data-name] > span')].every((s) => right(s) <= right(s.parentElement) + 0.5)]''', frame)
        scale = client['width'] / WINDOWS[window][1][0]
        self.assertEqual((caption, shown), (WINDOWS[window][0], True))
        self.assertAlmostEqual(client['width'], WINDOWS[window][1][0] / TWIPS_PER_PX * self.zoom, delta=1)
        self.assertAlmostEqual(client['height'] / scale, WINDOWS[window][1][1], delta=2 / scale)
        self.assertLessEqual(abs(2 * frame['x'] + frame['width'] - width), 2 * scale * TWIPS_PER_PX)
        self.assertLessEqual(abs(2 * frame['y'] + frame['height'] - height), 2 * scale * TWIPS_PER_PX)
        shot = Image.open(io.BytesIO(self.driver.get_screenshot_as_png())).convert('RGB')
        area = shot.crop([round(client[edge] * ratio) for edge in ('left', 'top', 'right', 'bottom')])
        with tempfile.NamedTemporaryFile(buffering=0) as raw, tempfile.NamedTemporaryFile('w') as seen:
            raw.write(area.tobytes())
            print(*(self.js(SEEN, window, client, ratio) if controls else []), sep='\n', file=seen, flush=True)
            judged = subprocess.run(JUDGE + [window, raw.name, str(area.width), str(scale * ratio), seen.name, argument or ground],
                                    capture_output=True, text=True, check=True)
        self.assertEqual(judged.stdout.strip(), '')

    def test_places_and_drawing_at_two_scales(self):
        for zoom, ratio in ((1.5, 2), (1, 1)):
            self.screen(zoom, ratio)
            self.load()
            for digits in ('0000', '9999', '1111'):  # the controls' looks where frames are as thin as a desktop's
                with self.subTest(digits=digits, zoom=zoom):
                    self.type_number(digits)
                    self.check_window('tallino', digits[0], ratio == 1 and digits == '0000')

    def test_tab_round_and_fonts(self):
        tab_round = DRAWN['tab round'][0][0].split()
        self.assertEqual([self.focused()] + [self.keys(Keys.TAB) for _ in tab_round[1:]], tab_round)
        self.keys(Keys.ENTER)  # presses the focused button, the units "-"
        self.assertEqual((self.number(), self.control('unità').get_attribute('inputmode')), ('0999', 'numeric'))
        # Every text in a face the page carries, none in one of the machine's.
        root = self.driver.execute_cdp_cmd('DOM.getDocument', {'depth': -1})['root']['nodeId']
        self.driver.execute_cdp_cmd('CSS.enable', {})
        for node in self.driver.execute_cdp_cmd('DOM.querySelectorAll', {'nodeId': root, 'selector': '[data-name][style*=pt]'})['nodeIds']:
            fonts = self.driver.execute_cdp_cmd('CSS.getPlatformFontsForNode', {'nodeId': node})['fonts']
            self.assertTrue(fonts and all(font['isCustomFont'] for font in fonts), fonts)

    def test_typing(self):  # pasting by Shift+Insert, as on the desktop
        for name, before, home, characters, clipboard, after in DRAWN['typing']:
            with self.subTest(name):
                self.driver.execute_async_script('navigator.clipboard.writeText(arguments[0]).then(arguments[1])', '' if clipboard == '-' else clipboard)
                self.type_number([before.replace('|', '')], ['unità'])
                self.keys(*[Keys.HOME] * (before.startswith('|') or home == 'yes'), *[Keys.SHIFT, Keys.HOME, Keys.NULL] * ('|' not in before))
                for key in characters or [Keys.SHIFT + Keys.INSERT + Keys.NULL]:  # none: the clipboard pasted
                    self.keys(KEYS.get(key, key))
                    if self.windows('dialog'):  # its OK tapped; the focus goes back to the box
                        self.press('OKButton', 'touch', 'dialog')
                value, start, end = self.js('const b = arguments[0]; return [b.value, b.selectionStart, b.selectionEnd]', self.control('unità'))
                self.assertEqual(value[:start] + (value[start:end].join('[]') if end > start else '|') + value[end:], after)

    def test_presses(self):  # and the caret at the end of what the program writes
        for before, button, after in DRAWN['press']:
            with self.subTest(before=before, button=button):
                self.type_number(before)
                self.press(button, 'touch')
                self.assertEqual(self.number(), after)
                self.assertEqual(self.js('return arguments[0].selectionStart', self.control(BOXES[-1])), len(after[-1]))

    def test_secondary_windows(self):  # About closed by Escape, and by Enter anywhere in it: its default button's
        for close in (Keys.ESCAPE, Keys.ENTER):
            self.press('Command9')
            self.press('Command9', 'touch')
            self.check_window('frmAbout')
            self.control('lblDescription', 'frmAbout').click()
            self.assertEqual((self.keys(close), self.windows('frmAbout')), ('Command9', []))
        self.press('Command9')  # open while the error dialog comes twice: the same dialog, in front
        self.type_number(['12', '99'], ['unità'] * 2)
        self.assertEqual((self.number(), self.focused()), ('0000', 'OKButton'))
        self.check_window('dialog')
        self.assertEqual((self.keys(Keys.ESCAPE), len(self.windows('dialog'))), ('OKButton', 1))
        self.assertEqual((self.keys(Keys.ENTER), self.windows('dialog')), ('unità', []))
        self.type_number(['12'], ['unità'])  # once more: the About window closed by its OK tapped, the focus goes back
        self.press('cmdOK', 'touch', 'frmAbout')  # to the window used last
        self.assertEqual((self.windows('frmAbout'), self.focused()), ([], 'OKButton'))

    def test_spoken(self):
        self.type_number('1025')
        said = {node['name']['value']: node for node in self.driver.execute_cdp_cmd('Accessibility.getFullAXTree', {})['nodes']
                if node.get('name', {}).get('value')}
        for name, words in SPOKEN.items():  # each described too
            self.assertTrue(said[words].get('description', {}).get('value'), name)
        self.assertEqual(said[SPOKEN['1025']]['role']['value'], 'image')
        self.assertEqual(self.driver.find_element('css selector', '[aria-live=polite]').get_property('textContent'), SPOKEN['1025'])

    def test_fine_in_a_tab(self):
        self.load()  # a second entry in the tab's history: no script may close it
        self.press('Command10', 'touch')
        self.assertEqual(self.windows('tallino'), [])
        self.driver.find_element('css selector', 'button').click()  # the only one: start again
        WebDriverWait(self.driver, 10).until(lambda d: self.windows('tallino'))

    def test_fine_closes_the_app_window(self):
        driver = chromium(f'--app={SINGLE}')
        self.addCleanup(driver.quit)
        WebDriverWait(driver, 10).until(lambda d: d.execute_script('return document.documentElement.dataset.ready'))
        app = driver.current_window_handle
        driver.switch_to.new_window('tab')  # keeps the session when the app window goes
        driver.switch_to.window(app)
        driver.find_element('css selector', '[data-name="Command10"]').click()
        WebDriverWait(driver, 5).until(lambda d: app not in d.window_handles)

    def test_served_installable_and_offline(self):
        server = subprocess.Popen([sys.executable, '-u', '-m', 'http.server', '0', '--bind', '127.0.0.1'], cwd=WEB / 'served',
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.addCleanup(server.kill)
        url = re.search(r'http://[\d.:]+/', server.stdout.readline())[0]  # said once it listens
        self.load(url)
        WebDriverWait(self.driver, 10).until(lambda d: self.js('return navigator.serviceWorker.controller !== null'))
        self.assertEqual(self.driver.execute_cdp_cmd('Page.getAppManifest', {})['errors'], [])
        self.assertEqual(self.driver.execute_cdp_cmd('Page.getInstallabilityErrors', {})['installabilityErrors'], [])
        self.driver.execute_cdp_cmd('Network.clearBrowserCache', {})  # only the worker keeps the files
        server.kill()
        server.wait()
        self.load(url)  # from the worker's cache: the server is gone
        self.press('Command1')
        self.assertEqual(self.number(), '0001')
