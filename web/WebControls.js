// The page's side of the web form: one element per control of the control
// map, written into the page at build time (PageHtml.h) and adopted by
// the module as it starts, then read and written only through these
// functions, as the window's controls are through the platform's calls.
// The element of a control carries its ID in data-id; edit fields, lists
// and check boxes sit in a box (a <label>) that also holds the field's
// caption. The box placed on the page carries the ID in data-box.
mergeInto(LibraryManager.library, {
  $WebPage: {
    elements: {}, // control ID -> element carrying data-id
    boxes: {},    // control ID -> the box placed on the page
    kindOf: {},   // control ID -> kind name

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

  // The control's element, in the state the map gives it: a module started
  // again after a crash begins where the first one did, as a new window
  // does. What the page already shows is left as it is.
  WebAdoptControl__deps: ['$WebPage', 'WebSetText', 'WebSetCheck', 'WebEnable'],
  WebAdoptControl: function (id, kind, text) {
    var element = document.querySelector('[data-id="' + id + '"]');
    WebPage.elements[id] = element;
    WebPage.boxes[id] = element.closest('[data-box]');
    WebPage.kindOf[id] = UTF8ToString(kind);
    if (WebPage.getText(id) !== UTF8ToString(text)) _WebSetText(id, text);
    _WebSetCheck(id, false);
    if (element.disabled) _WebEnable(id, true);
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
    // Handlers, not listeners: a module started again replaces the stopped one's.
    spin.querySelector('.up').onclick = function () { step(1); };
    spin.querySelector('.down').onclick = function () { step(-1); };
    buddy.onkeydown = function (event) {
      if (event.key === 'ArrowUp' || event.key === 'ArrowDown') {
        step(event.key === 'ArrowUp' ? 1 : -1);
        event.preventDefault();
      }
    };
  },

  // The first size - 1 bytes of the text's UTF-8, cut wherever they end,
  // as a window text read into a buffer of size bytes; returns how many.
  // Only a prefix is encoded: each UTF-16 unit gives a byte or more.
  WebCopyText__deps: ['$WebPage'],
  WebCopyText: function (id, buffer, size) {
    WebPage.encoder = WebPage.encoder || new TextEncoder();
    var bytes = WebPage.encoder.encode(WebPage.getText(id).slice(0, size)).subarray(0, size - 1);
    HEAPU8.set(bytes, buffer);
    return bytes.length;
  },

  WebSetText__deps: ['$WebPage'],
  // A text that is already there is not written again: the estimation
  // writes every result label at each edit, most of them unchanged.
  WebSetText: function (id, text) {
    if (!WebPage.elements[id]) return;
    text = UTF8ToString(text);
    if (WebPage.kindOf[id] === 'edit') {
      if (WebPage.elements[id].value !== text) WebPage.elements[id].value = text;
    } else if (WebPage.kindOf[id] !== 'combo' && WebPage.kindOf[id] !== 'spin') {
      var element = WebPage.textElement(id);
      if (element.textContent !== text) element.textContent = text;
    }
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
