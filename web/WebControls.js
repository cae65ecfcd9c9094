// The page's side of the web form: one element per control of the control
// map, created and then read and written only through these functions, as
// the window's controls are through the platform's calls. The element of a
// control carries its ID in data-id; edit fields, lists and check boxes
// sit in a box (a <label>) that also holds the caption a phone shows. The
// box placed on the page carries the ID in data-box.
mergeInto(LibraryManager.library, {
  $WebPage: {
    elements: {}, // control ID -> element carrying data-id
    boxes: {},    // control ID -> the box placed on the page
    kindOf: {},   // control ID -> kind name
    frames: {},   // group box ID -> {x, y, box}

    create: function (tag, className, parent) {
      var element = document.createElement(tag);
      if (className) element.className = className;
      if (parent) parent.appendChild(element);
      return element;
    },

    // A control stands in the frame the core names, at its place there;
    // with none, in the window itself.
    place: function (box, x, y, width, height, frameId) {
      var frame = WebPage.frames[frameId], parent = frame ? frame.box : Module.windowElement;
      var left = frame ? x - frame.x : x, top = frame ? y - frame.y : y;
      box.style.cssText = '--x:' + left + ';--y:' + top + ';--w:' + width + ';--h:' + height +
                          ';order:' + (y * 1000 + x);
      parent.appendChild(box);
    },

    // The element whose text is the control's text.
    textElement: function (id) {
      var element = WebPage.elements[id];
      switch (WebPage.kindOf[id]) {
        case 'group': return element.firstChild;              // <legend>
        case 'check': return element.parentNode.lastChild;     // caption beside the box
        default: return element;
      }
    },

    getText: function (id) {
      var element = WebPage.elements[id];
      if (!element) return '';
      switch (WebPage.kindOf[id]) {
        case 'edit': return element.value;
        case 'combo': return element.selectedIndex < 0 ? '' : element.options[element.selectedIndex].text;
        case 'spin': return '';
        default: return WebPage.textElement(id).textContent;
      }
    },
  },

  WebCreateControl__deps: ['$WebPage'],
  WebCreateControl: function (id, kind, text, x, y, width, height, highlighted, frameId) {
    var name = UTF8ToString(kind), create = WebPage.create, element, box;
    text = UTF8ToString(text);
    switch (name) {
      case 'group':
        box = create('div', 'panel');
        element = create('fieldset', 'frame', box);
        create('legend', '', element).textContent = text;
        WebPage.frames[id] = {x: x, y: y, box: box};
        break;
      case 'label':
        box = element = create('div', highlighted ? 'label highlighted' : 'label');
        element.textContent = text;
        break;
      case 'button':
        box = element = create('button', 'button');
        element.type = 'button';
        element.textContent = text;
        break;
      case 'spin':
        box = element = create('span', 'spin');
        create('button', 'up', element).textContent = '\u25b2';
        create('button', 'down', element).textContent = '\u25bc';
        break;
      case 'check':
        box = create('label', 'box check');
        element = create('input', '', box);
        element.type = 'checkbox';
        create('span', 'text', box).textContent = text;
        break;
      default: // edit field or drop-down list, under a caption
        box = create('label', 'box ' + name);
        create('span', 'caption', box);
        element = create(name === 'edit' ? 'input' : 'select', '', box);
        if (name === 'edit') {
          element.value = text;
          element.inputMode = 'numeric';
          element.autocomplete = 'off';
        }
    }
    element.setAttribute('data-id', id);
    box.setAttribute('data-box', id);
    WebPage.elements[id] = element;
    WebPage.boxes[id] = box;
    WebPage.kindOf[id] = name;
    WebPage.place(box, x, y, width, height, frameId);
  },

  // Each arrow has the core step the buddy's integer by one, and the
  // buddy's new text goes in as an edit; so do the Up and Down keys in the
  // buddy.
  WebCoupleSpin__deps: ['$WebPage', 'WebStepSpin'],
  WebCoupleSpin: function (id, buddyId) {
    var spin = WebPage.elements[id], buddy = WebPage.elements[buddyId];
    function step(delta) {
      _WebStepSpin(id, delta);
      buddy.dispatchEvent(new Event('input', {bubbles: true}));
    }
    spin.querySelector('.up').onclick = function () { step(1); };
    spin.querySelector('.down').onclick = function () { step(-1); };
    spin.querySelectorAll('button').forEach(function (arrow) { arrow.tabIndex = -1; arrow.type = 'button'; });
    buddy.addEventListener('keydown', function (event) {
      if (event.key === 'ArrowUp' || event.key === 'ArrowDown') {
        step(event.key === 'ArrowUp' ? 1 : -1);
        event.preventDefault();
      }
    });
  },

  WebAddItem__deps: ['$WebPage'],
  WebAddItem: function (id, text) {
    var option = document.createElement('option');
    option.text = UTF8ToString(text);
    WebPage.elements[id].add(option);
  },

  // The menu: its pop-up's title and the load item, a file input.
  WebCreateFileInput__deps: ['$WebPage'],
  WebCreateFileInput: function (id, menuText, itemText) {
    var create = WebPage.create, menu = create('nav', 'menu', Module.menuElement);
    create('span', 'menu-title', menu).textContent = UTF8ToString(menuText);
    var item = create('label', 'menu-item', menu);
    create('span', 'text', item).textContent = UTF8ToString(itemText);
    var input = create('input', '', item);
    input.type = 'file';
    input.accept = '.txt,text/plain';
    input.setAttribute('data-id', id);
    WebPage.elements[id] = input;
    WebPage.kindOf[id] = 'file';
  },

  // A command of the menu beside the load item: a button the page's script
  // acts on.
  WebCreateMenuButton__deps: ['$WebPage'],
  WebCreateMenuButton: function (id, itemText) {
    var button = WebPage.create('button', 'menu-item', Module.menuElement.querySelector('.menu'));
    button.type = 'button';
    button.textContent = UTF8ToString(itemText);
    button.setAttribute('data-id', id);
    WebPage.elements[id] = button;
    WebPage.kindOf[id] = 'menu';
  },

  // The most a player can type or paste into an edit field, as the window
  // limits its edit controls.
  WebLimitText__deps: ['$WebPage'],
  WebLimitText: function (id, limit) {
    if (WebPage.kindOf[id] === 'edit') WebPage.elements[id].maxLength = limit;
  },

  // The first size - 1 bytes of the text's UTF-8, cut wherever they end,
  // as a window text read into a buffer of size bytes; returns how many.
  // Only a prefix is encoded: each UTF-16 unit gives a byte or more.
  WebCopyText__deps: ['$WebPage'],
  WebCopyText: function (id, buffer, size) {
    var bytes = new TextEncoder().encode(WebPage.getText(id).slice(0, size)).subarray(0, size - 1);
    HEAPU8.set(bytes, buffer);
    return bytes.length;
  },

  WebSetText__deps: ['$WebPage'],
  WebSetText: function (id, text) {
    if (!WebPage.elements[id]) return;
    text = UTF8ToString(text);
    if (WebPage.kindOf[id] === 'edit') WebPage.elements[id].value = text;
    else if (WebPage.kindOf[id] !== 'combo' && WebPage.kindOf[id] !== 'spin') WebPage.textElement(id).textContent = text;
  },

  WebGetSelection__deps: ['$WebPage'],
  WebGetSelection: function (id) {
    return WebPage.kindOf[id] === 'combo' ? WebPage.elements[id].selectedIndex : -1;
  },

  // An index outside the items leaves the list with no selection.
  WebSetSelection__deps: ['$WebPage'],
  WebSetSelection: function (id, index) {
    if (WebPage.kindOf[id] !== 'combo') return;
    var list = WebPage.elements[id];
    list.selectedIndex = index >= 0 && index < list.options.length ? index : -1;
  },

  WebGetCheck__deps: ['$WebPage'],
  WebGetCheck: function (id) {
    return WebPage.kindOf[id] === 'check' && WebPage.elements[id].checked;
  },

  WebSetCheck__deps: ['$WebPage'],
  WebSetCheck: function (id, checked) {
    if (WebPage.kindOf[id] === 'check') WebPage.elements[id].checked = !!checked;
  },

  WebEnable__deps: ['$WebPage'],
  WebEnable: function (id, enabled) {
    var element = WebPage.elements[id];
    if (!element) return;
    element.disabled = !enabled;
    WebPage.boxes[id].classList.toggle('disabled', !enabled);
  },
});
