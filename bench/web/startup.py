#!/usr/bin/python3
"""Start-up of the single file against a bare page with as many buttons and boxes, loaded in turn
in one headless Chromium from file://, and the single file's sizes. Time from navigation start
to the first paint of content (the page shows nothing before its windows are built) and to the
page's own mark 'tallino-ready'; medians. Usage: startup.py TALLINO_HTML [RUNS]"""
import gzip
import pathlib
import re
import statistics
import sys
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

TIMES = '''return [performance.getEntriesByName('first-contentful-paint')[0]?.startTime,
                   performance.getEntriesByName('tallino-ready')[0]?.startTime]'''


def chromium():
    options = webdriver.ChromeOptions()
    for argument in ('--headless=new', '--no-sandbox', '--disable-gpu', '--no-first-run',
                     '--disable-background-networking', '--disable-component-update',
                     '--disable-sync', '--window-size=1024,768',
                     f'--user-data-dir={tempfile.mkdtemp()}'):
        options.add_argument(argument)
    return webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)


def bare_page(buttons, boxes):
    """The controls alone, in the browser's own font, marked ready once they are there."""
    controls = '<button type="button">+</button>' * buttons + '<input value="0">' * boxes
    return ('<!DOCTYPE html><html lang="it"><head><meta charset="utf-8"><title>bare</title>'
            '<link rel="icon" href="data:,"></head>'
            f'<body>{controls}<script>performance.mark("tallino-ready")</script></body></html>')


def load(driver, url):
    driver.get(url)
    return WebDriverWait(driver, 10, 0.005).until(
        lambda d: (times := d.execute_script(TIMES)) and None not in times and times)


def sizes(page):
    html = page.read_bytes()
    fonts = b''.join(re.findall(rb'data:font/woff2;base64,[A-Za-z0-9+/=]*', html))
    bare = html
    for font in re.findall(rb'data:font/woff2;base64,[A-Za-z0-9+/=]*', html):
        bare = bare.replace(font, b'')
    for name, data in (('single file', html), ('without its fonts', bare), ('its fonts', fonts)):
        print(f'{name}: {len(data) / 1024:.1f} KiB, gzipped {len(gzip.compress(data, 9)) / 1024:.1f} KiB')


def main():
    page = pathlib.Path(sys.argv[1]).resolve()
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    driver = chromium()
    try:
        load(driver, page.as_uri())
        counts = driver.execute_script("return ['button', 'input'].map((kind) => document.getElementsByTagName(kind).length)")
        with tempfile.NamedTemporaryFile('w', suffix='.html') as bare:
            bare.write(bare_page(*counts))
            bare.flush()
            pages = {'tallino.html': page.as_uri(), f'bare page ({counts[0]} buttons, {counts[1]} boxes)': pathlib.Path(bare.name).as_uri()}
            seen = {name: [] for name in pages}
            for run in range(runs):
                for name, url in (pages.items() if run % 2 else reversed(pages.items())):
                    seen[name].append(load(driver, url))
    finally:
        driver.quit()
    print(f'{runs} loads each, alternated; medians, ms from navigation start')
    for name, times in seen.items():
        print(f'{name}: first paint {statistics.median(t[0] for t in times):.1f}, ready {statistics.median(t[1] for t in times):.1f}')
    first, bare = (statistics.median(t[0] for t in times) for times in seen.values())
    print(f'first paint, tallino.html / bare page: {first / bare:.2f}x')
    sizes(page)


if __name__ == '__main__':
    main()
