#!/usr/bin/python3
"""Assembles the browser edition from the build's parts, in two forms:
  tallino.html  one self-contained file that works from file:// (a USB stick): the module, the
                script, the style, the fonts and the pictures inline;
  served/       the folder to put on a web server: the same parts as files, a web app manifest
                with the program's icons, and a service worker that keeps them for offline use.
The fonts are the substitutes the core names for the windows' families, the first one of each
whose licence lets it travel with a page, cut down to the characters the core's texts use.
Debian's python3, for fonttools (and brotli for WOFF2)."""
import argparse
import base64
import hashlib
import io
import json
import pathlib
import shlex
import shutil
import subprocess

from fontTools import subset, ttLib

HERE = pathlib.Path(__file__).resolve().parent
# The licences that let a font be cut down and carried inside a page: the SIL Open Font License,
# and DejaVu's, which is Bitstream Vera's. Not the GPL of the first Liberation fonts, nor the AGPL
# of the URW fonts, whose exception covers PostScript and PDF only.
TRAVELLING_LICENCES = ('Open Font License', 'Bitstream Vera')
BOLD, REGULAR = 200, 80  # fontconfig's weights


def arguments():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--module', required=True, help="the core's module, one file")
    parser.add_argument('--facts', required=True, help='the command that prints the page facts')
    parser.add_argument('--pictures', required=True, help='icon-192.png, icon-512.png, abacus.png')
    parser.add_argument('--description', required=True)
    parser.add_argument('--out', required=True, type=pathlib.Path)
    return parser.parse_args()


def may_travel(path):
    try:
        names = ttLib.TTFont(path, lazy=True)['name']
    except ttLib.TTLibError:
        return False
    licence = f'{names.getDebugName(13)} {names.getDebugName(14)}'
    return any(words in licence for words in TRAVELLING_LICENCES)


def font_file(face):
    """The first substitute installed upright in the weight wanted that may travel."""
    weight = BOLD if face['bold'] else REGULAR
    for family in face['substitutes']:
        listed = subprocess.run(['fc-list', '--format', '%{file}\t%{weight}\t%{slant}\n', family],
                                capture_output=True, text=True, check=True).stdout
        for row in sorted(listed.splitlines()):
            path, found, slant = row.split('\t')
            if int(found) == weight and int(slant) == 0 and may_travel(path):
                return path
    raise SystemExit(f'makepage: no substitute of {face["family"]} may travel with the page')


def woff2(path, text):
    """The font cut down to the text's characters; of its names only the copyright and licence,
    since a cut-down font may not keep a reserved name."""
    options = subset.Options()
    options.flavor = 'woff2'
    options.layout_features = ['*']
    options.hinting = False
    options.name_IDs = [0, 13, 14]
    font = ttLib.TTFont(path)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=text)
    subsetter.subset(font)
    out = io.BytesIO()
    subset.save_font(font, out, options)
    return out.getvalue()


def data_url(kind, data):
    return f'data:{kind};base64,{base64.b64encode(data).decode()}'


def font_faces(faces, url_of):
    return '\n'.join(f'@font-face {{ font-family: "{face["family"]}"; font-weight: '
                     f'{"bold" if face["bold"] else "normal"}; font-display: block; '
                     f'src: url({url_of(face)}) format("woff2"); }}' for face in faces)


def page(facts, head, scripts):
    text = (HERE / 'page.html').read_text()
    for key, value in (('@CAPTION@', facts['caption']), ('@BACKGROUND@', facts['background']),
                       ('@HEAD@', head), ('@SCRIPTS@', scripts)):
        text = text.replace(key, value)
    return text


def inline(script):
    assert '</script' not in script.lower()
    return f'<script>\n{script}\n</script>'


def single_file(facts, fonts, parts, pictures):
    faces = font_faces(facts['faces'], lambda face: data_url('font/woff2', fonts[face['family'], face['bold']]))
    picture = data_url('image/png', (pictures / 'abacus.png').read_bytes())
    icon = data_url('image/png', (pictures / 'icon-192.png').read_bytes())
    head = (f'<link rel="icon" href="{icon}">\n<style>\n{faces}\n:root {{ --picture: url({picture}); }}\n'
            f'{parts["tallino.css"]}</style>')
    return page(facts, head, '\n'.join(inline(parts[name]) for name in ('tallino-core.js', 'tallino.js')))


def served_folder(out, facts, fonts, parts, pictures, args):
    if out.exists():
        shutil.rmtree(out)
    (out / 'fonts').mkdir(parents=True)
    files = {}
    for name in ('tallino-core.js', 'tallino.js', 'tallino.css'):
        files[name] = parts[name].encode()
    for name in ('icon-192.png', 'icon-512.png', 'abacus.png'):
        files[name] = (pictures / name).read_bytes()
    font_name = {}
    for (family, bold), data in fonts.items():
        font_name[family, bold] = f'fonts/{hashlib.sha256(data).hexdigest()[:12]}.woff2'
        files[font_name[family, bold]] = data
    manifest = {'id': facts['id'], 'name': facts['caption'], 'short_name': facts['caption'],
                'description': args.description, 'lang': 'it', 'dir': 'ltr', 'start_url': './',
                'scope': './', 'display': 'standalone', 'background_color': facts['background'],
                'theme_color': facts['background'],
                'icons': [{'src': f'icon-{size}.png', 'sizes': f'{size}x{size}', 'type': 'image/png'}
                          for size in (192, 512)]}
    files['manifest.webmanifest'] = json.dumps(manifest, ensure_ascii=False, indent=1).encode()
    faces = font_faces(facts['faces'], lambda face: font_name[face['family'], face['bold']])
    head = ('<link rel="manifest" href="manifest.webmanifest">\n'
            '<link rel="icon" href="icon-192.png" type="image/png">\n'
            '<link rel="stylesheet" href="tallino.css">\n'
            f'<style>\n{faces}\n:root {{ --picture: url(abacus.png); }}\n</style>')
    scripts = '\n'.join(f'<script src="{name}"></script>' for name in ('tallino-core.js', 'tallino.js'))
    files['index.html'] = page(facts, head, scripts).encode()
    version = hashlib.sha256(b''.join(files[name] for name in sorted(files))).hexdigest()[:12]
    worker = (HERE / 'sw.js').read_text().replace('@CACHE@', f'tallino-{version}')
    files['sw.js'] = worker.replace('@FILES@', json.dumps(['./'] + sorted(files))).encode()
    for name, data in files.items():
        (out / name).write_bytes(data)


def main():
    args = arguments()
    facts = json.loads(subprocess.run(shlex.split(args.facts), capture_output=True, text=True,
                                      check=True).stdout)
    fonts = {(face['family'], face['bold']): woff2(font_file(face), face['text'])
             for face in facts['faces']}
    parts = {'tallino-core.js': pathlib.Path(args.module).read_text(),
             'tallino.js': (HERE / 'tallino.js').read_text(),
             'tallino.css': (HERE / 'tallino.css').read_text()}
    pictures = pathlib.Path(args.pictures)
    args.out.mkdir(parents=True, exist_ok=True)
    (args.out / 'tallino.html').write_text(single_file(facts, fonts, parts, pictures))
    served_folder(args.out / 'served', facts, fonts, parts, pictures, args)


if __name__ == '__main__':
    main()
