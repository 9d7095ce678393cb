'use strict';
// Tallino in the browser: the three windows built from the core's descriptions, the drawing in
// twips, the core's rules reached through its bindings. This file only translates: every place,
// colour, text and rule comes from the core.

// The page declares only the faces its windows use: they load while the module compiles.
const facesLoaded = Promise.all([...document.fonts].map((face) => face.load()));
createTallino().then((core) => {
  const svgNamespace = 'http://www.w3.org/2000/svg';
  const cssPixelsPerInch = 96; // CSS's own reference pixel
  const twipsPerPixel = core.twipsPerInch / cssPixelsPerInch;
  const inches = (twips) => `${twips / core.twipsPerInch}in`;
  const pixels = (twips) => twips / twipsPerPixel;
  const rgb = (c) => `rgb(${c.red} ${c.green} ${c.blue})`;
  const layouts = JSON.parse(core.windows());
  const desk = document.getElementById('desk');
  const spoken = document.getElementById('spoken');
  const open = []; // the secondary windows shown, the front one last
  const recent = []; // the windows in the order they last had the focus
  const boxes = [];
  const beads = [];
  let announcing = false;

  const abacus = new core.Abacus({
    textWritten(place, text) {
      boxes[place].value = text;
      boxes[place].setSelectionRange(text.length, text.length);
    },
    beadsSet(place) {
      for (const [rank, bead] of beads[place]) bead.style.visibility = abacus.isBeadVisible(place, rank) ? 'visible' : 'hidden';
      if (!announcing) queueMicrotask(announce);
      announcing = true;
    },
    errorRequested: () => errorDialog(),
  });
  const errorDialog = secondaryWindow(layouts.errorDialog);
  const about = secondaryWindow(layouts.about);
  const commands = {
    Step: (control) => abacus.step(control.place, control.delta),
    OpenAbout: () => about(),
    Quit: quit,
    CloseWindow: (control, shown) => shown.close(),
  };
  const makers = {
    Button: (control) => Object.assign(element('button'), { type: 'button', textContent: control.text }),
    DigitBox: (control) => digitBox(control),
    RodLetter: (control) => Object.assign(element('input'), { value: control.text, disabled: true }),
    Title: (control) => title(control.text),
    Label: (control) => Object.assign(element('label'), { textContent: control.text }),
    Picture: () => element('div'),
  };
  const main = buildWindow(layouts.abacus);
  main.client.prepend(beadDrawing(JSON.parse(core.drawing())));
  document.title = layouts.abacus.caption;
  fitToPage();
  addEventListener('resize', fitToPage);
  if (document.querySelector('link[rel=manifest]')) navigator.serviceWorker.register('sw.js');
  facesLoaded.then(() => {
    for (const title of document.querySelectorAll('.Title > span')) narrowToFit(title);
    document.documentElement.dataset.ready = '1';
    main.activate();
    performance.mark('tallino-ready');
  });

  function element(name, className, namespace) {
    const made = namespace ? document.createElementNS(namespace, name) : document.createElement(name);
    if (className) made.setAttribute('class', className);
    return made;
  }

  function announce() {
    announcing = false;
    spoken.textContent = abacus.beadsInWords();
  }

  // The window's controls in their order, which is the tab order; where two overlap, the
  // earlier lies above.
  function buildWindow(layout) {
    const frame = element('section', layout.isMain ? 'window main' : 'window secondary');
    frame.dataset.name = layout.name;
    frame.tabIndex = -1; // a click on its ground keeps the focus in the window, for its keys
    const client = element('div', 'client');
    Object.assign(client.style, { width: inches(layout.client.width), height: inches(layout.client.height) });
    client.style.background = layout.background ? rgb(layout.background) : 'ButtonFace';
    const built = { frame, client, lastFocus: null };
    if (layout.isMain) {
      frame.setAttribute('aria-label', layout.caption);
    } else {
      const caption = frame.appendChild(element('header', 'caption'));
      caption.id = `${layout.name}-caption`;
      caption.textContent = layout.opening ? layout.opening.caption : layout.caption;
      caption.style.font = cssFont(layouts.ownFont);
      frame.setAttribute('role', 'dialog');
      frame.setAttribute('aria-labelledby', caption.id);
    }
    frame.append(client);
    if (layout.lines.length) client.append(drawnLines(layout));
    const controls = layout.controls.map((control, index) => {
      const made = client.appendChild(makeControl(control));
      made.style.zIndex = layout.controls.length - index;
      if (control.command !== 'None') made.addEventListener('click', () => commands[control.command](control, built));
      return made;
    });
    if (layout.opening) controls[layout.opening.control].textContent = layout.opening.text;
    built.defaultButton = controls.find((made, index) => layout.controls[index].isDefault);
    built.focusable = () => [...client.querySelectorAll('button, input:enabled')];
    built.activate = () => (built.lastFocus || built.focusable()[0]).focus();
    frame.addEventListener('focusin', (event) => {
      if (event.target !== frame) built.lastFocus = event.target;
      toEnd(recent, built);
    });
    frame.addEventListener('keydown', (event) => onKey(event, built, layout));
    desk.append(frame);
    return built;
  }

  // Tab goes round the window's own controls; Enter presses the focused button, or else the
  // window's default one; Escape closes only a window that says so.
  function onKey(event, shown, layout) {
    const focusable = shown.focusable();
    const end = event.shiftKey ? focusable[0] : focusable.at(-1);
    if (event.key === 'Tab' && event.target === end) {
      (event.shiftKey ? focusable.at(-1) : focusable[0]).focus();
      event.preventDefault();
    } else if (event.key === 'Enter' && event.target.localName !== 'button' && shown.defaultButton) {
      shown.defaultButton.click();
      event.preventDefault();
    } else if (event.key === 'Escape' && layout.escapeCloses) {
      shown.close();
    }
  }

  // Its text in a span of its own, which can be narrowed to fit.
  function title(text) {
    const label = element('label');
    label.append(Object.assign(element('span'), { textContent: text }));
    return label;
  }

  function cssFont(font) {
    return `${font.bold ? 'bold' : 'normal'} ${font.points}pt "${font.family}"`;
  }

  function makeControl(control) {
    const made = makers[control.kind](control);
    made.classList.add(control.kind);
    made.dataset.name = control.name;
    const { left, top, width, height } = control.box;
    Object.assign(made.style, { left: inches(left), top: inches(top), width: inches(width), height: inches(height) });
    made.style.font = cssFont(control.font);
    if (control.ground) made.style.background = rgb(control.ground);
    if (control.ink) made.style.color = rgb(control.ink);
    if (control.kind === 'Picture') made.setAttribute('role', 'img');
    if (control.spokenName) made.setAttribute('aria-label', control.spokenName);
    if (control.spokenDescription) made.setAttribute('aria-description', control.spokenDescription);
    return made;
  }

  // Digits only, each typed character judged by the core, a pasted text taken whole as far as its
  // first line end; an edit that would make the text longer than the core allows is refused
  // whole; every change of the text goes to the core.
  function digitBox(control) {
    const box = Object.assign(element('input'), { value: control.text, inputMode: 'numeric', autocomplete: 'off', spellcheck: false });
    box.addEventListener('beforeinput', (event) => {
      const pasted = event.inputType.startsWith('insertFrom'); // pasted or dropped: not typed
      const inserted = event.data ?? event.dataTransfer?.getData('text/plain') ?? '';
      const line = pasted ? inserted.split(/[\r\n]/)[0] : inserted; // as a one-line box takes it
      const kept = box.value.length - (box.selectionEnd - box.selectionStart);
      const refused = (!pasted && ![...line].every((c) => core.isTypedDigit(c.codePointAt(0))))
        || kept + line.length > core.typedLengthLimit(box.value.length);
      if (refused || line !== inserted) event.preventDefault();
      if (!refused && line !== inserted) {
        box.setRangeText(line, box.selectionStart, box.selectionEnd, 'end');
        abacus.edit(control.place, box.value);
      }
    });
    // A key delivers the character a desktop's does: Backspace its 8, Ctrl with a letter its
    // control code, which the core drops as no digit; Delete and the caret keys deliver none.
    box.addEventListener('keydown', (event) => {
      const letter = event.ctrlKey && !event.altKey && /^[a-z]$/i.test(event.key);
      const delivered = event.key === 'Backspace' ? 8 : letter ? event.key.toUpperCase().charCodeAt(0) - 64 : null;
      if (delivered !== null && !core.isTypedDigit(delivered)) event.preventDefault();
    });
    box.addEventListener('input', () => abacus.edit(control.place, box.value));
    boxes[control.place] = box;
    return box;
  }

  // Rods, beads and base bar in twips: the picture scales with the window and stays sharp.
  function beadDrawing(drawing) {
    const { width, height } = layouts.abacus.client;
    const svg = element('svg', 'drawing', svgNamespace);
    svg.setAttribute('viewBox', `0 0 ${width} ${height}`);
    svg.setAttribute('role', 'img');
    svg.setAttribute('aria-labelledby', spoken.id);
    svg.setAttribute('aria-description', drawing.description);
    svg.append(line(drawing.baseBar, 'round'));
    const inset = (drawing.outlinePx * twipsPerPixel) / 2; // the outline inside the circle's box
    for (const rod of drawing.rods) {
      beads[rod.place] = new Map(rod.beads.map(({ rank, circle }) => {
        const bead = svg.appendChild(element('circle', null, svgNamespace));
        setAttributes(bead, { cx: circle.left + circle.width / 2, cy: circle.top + circle.height / 2, r: circle.width / 2 - inset,
          fill: rgb(rod.fill), stroke: 'currentColor', 'stroke-width': drawing.outlinePx * twipsPerPixel, visibility: 'hidden' });
        return [rank, bead];
      }));
    }
    for (const rod of drawing.rods) svg.append(line(rod.line, 'round'));
    spoken.textContent = abacus.beadsInWords();
    return svg;
  }

  function drawnLines(layout) {
    const svg = element('svg', 'drawing', svgNamespace);
    svg.setAttribute('viewBox', `0 0 ${layout.client.width} ${layout.client.height}`);
    svg.setAttribute('aria-hidden', 'true');
    for (const drawn of layout.lines) svg.append(line(drawn.line, 'butt', rgb(drawn.colour)));
    return svg;
  }

  function line(drawn, cap, colour = 'currentColor') {
    const made = element('line', null, svgNamespace);
    setAttributes(made, { x1: drawn.x1, y1: drawn.y1, x2: drawn.x2, y2: drawn.y2, stroke: colour,
      'stroke-width': drawn.widthPx * twipsPerPixel, 'stroke-linecap': cap, 'shape-rendering': 'crispEdges' }); // on whole pixels, as drawn
    return made;
  }

  function setAttributes(made, attributes) {
    for (const [name, value] of Object.entries(attributes)) made.setAttribute(name, value);
  }

  // One instance for the whole run, not modal: built afresh and centred at each opening, brought
  // to the front when shown again.
  function secondaryWindow(layout) {
    let shown = null;
    return () => {
      if (!shown) {
        shown = buildWindow(layout);
        shown.close = () => {
          shown.frame.remove();
          for (const list of [open, recent]) remove(list, shown);
          shown = null;
          (recent.at(-1) || main).activate(); // as a window system gives the focus back
        };
        shown.frame.addEventListener('pointerdown', () => toFront(shown));
        centre(shown.frame);
      }
      toFront(shown);
      shown.activate();
    };
  }

  function remove(list, item) {
    if (list.includes(item)) list.splice(list.indexOf(item), 1);
  }

  function toEnd(list, item) {
    remove(list, item);
    list.push(item);
  }

  function toFront(shown) {
    toEnd(open, shown);
    open.forEach((each, index) => { each.frame.style.zIndex = index + 1; });
  }

  // The main window as large as the page lets it be, keeping its proportions; every window
  // centred on the page.
  function fitToPage() {
    const { width, height } = layouts.abacus.client;
    const zoom = Math.min(innerWidth / pixels(width), innerHeight / pixels(height));
    desk.style.zoom = zoom;
    centre(main.frame, { width: pixels(width) * zoom, height: pixels(height) * zoom }); // no layout yet
    for (const shown of open) centre(shown.frame);
  }

  // Placed in device pixels, so that it lies on whole ones, where its straight lines stay sharp.
  function centre(frame, size = frame.getBoundingClientRect()) {
    const device = (length) => Math.round(length * devicePixelRatio);
    const area = { left: 0, top: 0, width: device(innerWidth), height: device(innerHeight) };
    const placed = core.placedOn(area, device(size.width), device(size.height));
    const inDesk = (place) => `${place / devicePixelRatio / Number(desk.style.zoom)}px`;
    Object.assign(frame.style, { left: inDesk(placed.left), top: inDesk(placed.top) });
  }

  // A decorative title whose face runs wider than its box is narrowed until it fits.
  function narrowToFit(text) {
    const room = text.parentNode.clientWidth;
    if (text.offsetWidth > room) text.style.transform = `scaleX(${room / text.offsetWidth})`;
  }

  // The program ends: the window closes where the browser lets a script close it (an app
  // window, a tab opened for it alone); otherwise the page says so and offers a fresh start.
  function quit() {
    removeEventListener('resize', fitToPage);
    for (const shown of [...open]) shown.close();
    abacus.delete();
    const notice = JSON.parse(core.closedNotice());
    const ended = element('main', 'closed');
    ended.style.font = cssFont(layouts.ownFont);
    ended.append(Object.assign(element('p'), { textContent: notice.text }));
    const again = ended.appendChild(Object.assign(element('button'), { type: 'button', textContent: notice.button }));
    again.addEventListener('click', () => location.reload());
    desk.replaceWith(ended);
    spoken.textContent = notice.text;
    again.focus();
    if (window.opener !== null || history.length === 1) window.close();
  }
});
