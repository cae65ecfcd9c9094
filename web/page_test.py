#!/usr/bin/python3
"""The web edition in headless Chromium: the page served from 127.0.0.1 on a
free port, driven through Selenium like a player would, and checked against
the control map, the window's results and those of `torume estimate`.

    page_test.py --site DIR --torume PATH --examples DIR --saved DIR --version V [--screenshots DIR]
"""
import argparse
import json
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

ARGS = None
SERVER = None
DRIVER = None
URL = None

CALC_HEADER = '攻撃 \u3000 技威力\u3000腕力\u3000\u3000魅力\u3000\u3000敵防御\u3000属性倍率  複属性'
SPELL_HEADER = '術適正\u3000術威力\u3000知力\u3000\u3000愛' + '\u3000' * 7 + '属性倍率'
RATES = ['50', '62.5', '75', '87.5', '100', '112.5', '125', '137.5']
KINDS = ['斬', '打', '突']
CHAINS = ['連携無し', '2連携', '3連携', '4連携', '5連携']

# Every control of the control map with its initial text (lists: items
# and selection). Kinds follow from the ID's range.
TEXTS = {
    900: 'ダメージ計算', 901: '敵防御自動推定', 1001: CALC_HEADER,
    1004: '計算結果: クリティカル\u3000非クリ平均\u3000非クリ最低',
    1008: 'クリダメ 攻撃\u3000技威力\u3000属性 \u3000\u3000 腕力\u3000 魅力',
    1009: '計算結果', 1010: '防御\u3000斬倍率\u3000打倍率\u3000突倍率',
    2000: '50', 2001: '300', 2002: '30', 2021: '0', 2022: '0',
    5000: '計算実行', 5001: '計算実行', 6000: '術モード', 6001: '攻上昇', 6002: '防低下',
}
TEXTS.update({id: '' for id in range(1005, 1008)})
TEXTS.update({id: '' for id in range(1011, 1024)})
TEXTS.update({id: '0' for id in range(2003, 2009)})
TEXTS.update({id: '' for id in list(range(2009, 2021)) + list(range(2023, 2035))})
LISTS = {4001: (RATES, 4), 4015: (RATES, 4)}
LISTS.update({id: (KINDS, 0) for id in range(4003, 4009)})
LISTS.update({id: (CHAINS, 0) for id in range(4009, 4015)})
SPINS = [3000, 3001, 3002, 3003, 3004]
KIND_OF = [(900, 'FIELDSET'), (1000, 'DIV'), (2000, 'INPUT'), (3000, 'SPAN'), (4000, 'SELECT'),
           (5000, 'BUTTON'), (6000, 'INPUT')]

# Where a few controls stand in the window's client area: x, y, width, height.
PLACES = {900: (5, 35, 600, 160), 901: (5, 205, 600, 400), 1001: (20, 60, 450, 20), 2000: (20, 80, 35, 24),
          6000: (20, 5, 100, 24), 1011: (30, 455, 400, 20), 2008: (10, 380, 55, 24), 4014: (370, 380, 90, 24),
          5001: (490, 305, 80, 24)}

# The window tests' damage cases: fields typed, boxes ticked, the three results.
DAMAGE_CASES = [
    ('initial values', {}, [], ('1170', '780', '585')),
    ('attack 20, defense 10', {2000: '20', 2002: '10'}, [], ('414', '276', '207')),
    ('typed with the input method on', {2000: '２０', 2002: '１０'}, [], ('414', '276', '207')),
    ('attack up', {}, [6001], ('1784', '1189', '892')),
    ('defense down', {}, [6002], ('1291', '861', '645')),
    ('spell mode', {}, [6000], ('1080', '720', '540')),
    ('strength 10, charm 5', {2021: '10', 2022: '5'}, [], ('1199', '799', '599')),
    ('attack beyond the spin range', {2000: '500'}, [], ('2362', '1575', '1181')),
]

SIX_ROWS = ('1208 50 300 0 10 10 0\n878 55 250 1 10 10 0\n1776 45 320 2 10 10 3\n'
            '1522 60 280 0 5 20 0\n1208 50 300 0 10 10 0\n878 55 250 1 10 10 0\n')
# Six small damages of every kind: 1003 candidates, the search's worst case.
WORST_SIX_ROWS = '1 1 5 0 0 0 0\n1 1 5 1 0 0 0\n1 1 5 2 0 0 0\n2 1 5 0 0 0 0\n2 1 5 1 0 0 0\n2 1 5 2 0 0 0\n'


def element(id):
    return DRIVER.find_element(By.CSS_SELECTOR, '[data-id="%d"]' % id)


def text(id):
    """A control's text as the form reads it."""
    return DRIVER.execute_script('''
        var e = document.querySelector('[data-id="' + arguments[0] + '"]');
        if (e.tagName === 'INPUT' && e.type === 'checkbox') return e.parentNode.textContent;
        if (e.tagName === 'INPUT') return e.value;
        if (e.tagName === 'SELECT') return e.selectedIndex < 0 ? '' : e.options[e.selectedIndex].text;
        if (e.tagName === 'FIELDSET') return e.querySelector('legend').textContent;
        return e.textContent;''', id)


def caption(id):
    """The column name a phone shows over a field."""
    return DRIVER.execute_script('return arguments[0].parentNode.querySelector(".caption").textContent', element(id))


def labels():
    return {str(id): text(id) for id in range(1011, 1024)}


def open_page(fragment='', clear=True):
    DRIVER.get(URL + fragment)
    if clear:
        DRIVER.execute_script('localStorage.clear()')
        DRIVER.get(URL + fragment)
    WebDriverWait(DRIVER, 10).until(lambda d: d.execute_script('return document.body.dataset.ready'))


def loads():
    return int(DRIVER.execute_script('return document.body.dataset.loads || 0'))


def wait_for_load(before, seconds=10):
    WebDriverWait(DRIVER, seconds).until(lambda d: loads() > before)


def load(path, seconds=10):
    before = loads()
    element(110).send_keys(os.path.abspath(path))
    wait_for_load(before, seconds)


def load_text(text):
    """Loads text as a file dropped onto the page."""
    before = loads()
    DRIVER.execute_script('''
        var data = new DataTransfer();
        data.items.add(new File([arguments[0]], 'dropped.txt', {type: 'text/plain'}));
        document.body.dispatchEvent(new DragEvent('drop', {dataTransfer: data, bubbles: true, cancelable: true}));''',
                          text)
    wait_for_load(before)


def rows():
    return DRIVER.execute_script('''
        return [...document.querySelectorAll('[data-id]')].filter(e => +e.dataset.id >= 2003 && +e.dataset.id <= 2034 ||
            +e.dataset.id >= 4003 && +e.dataset.id <= 4014).map(e => e.dataset.id + '=' +
            (e.tagName === 'SELECT' ? e.selectedIndex : e.value)).sort().join(' ')''')


def torume(*args, check=True):
    """torume estimate ARGS: its JSON, or with check=False its run."""
    if not os.access(ARGS.torume, os.X_OK):
        raise AssertionError('%s is missing: build the native preset first' % ARGS.torume)
    run = subprocess.run([ARGS.torume, 'estimate', *args], capture_output=True, text=True, check=check)
    return json.loads(run.stdout) if check else run


def analysis():
    """The candidates of the table and the rows marked as not reproduced."""
    return DRIVER.execute_script('''
        return {candidates: [...document.querySelectorAll('#candidates tbody tr')].map(tr =>
                    [...tr.cells].map(td => td.textContent)),
                marked: [...document.querySelectorAll('.unreproduced [data-id]')].map(e => +e.dataset.id)
                    .filter(id => id >= 2003 && id <= 2008).map(id => id - 2003),
                markedControls: document.querySelectorAll('.unreproduced [data-id]').length,
                diagnosis: [...document.querySelectorAll('#diagnosis li')].map(li => li.textContent)}''')


class ControlMapTest(unittest.TestCase):
    def setUp(self):
        open_page()

    def test_every_control_is_an_element_with_its_text(self):
        ids = DRIVER.execute_script('return [...document.querySelectorAll("#client [data-id]")].map(e => +e.dataset.id)')
        self.assertEqual(sorted(ids), sorted(list(TEXTS) + list(LISTS) + SPINS))
        for id in ids:
            with self.subTest(id=id):
                tag = [tag for base, tag in KIND_OF if id >= base][-1]
                self.assertEqual(element(id).tag_name.upper(), tag)
                if id in LISTS:
                    items, selection = LISTS[id]
                    options = DRIVER.execute_script('return [...arguments[0].options].map(o => o.text)', element(id))
                    self.assertEqual(options, items)
                    self.assertEqual(DRIVER.execute_script('return arguments[0].selectedIndex', element(id)), selection)
                elif id in TEXTS:
                    self.assertEqual(text(id), TEXTS[id])
        for id in (6000, 6001, 6002):
            self.assertEqual(element(id).get_attribute('type'), 'checkbox')
            self.assertFalse(element(id).is_selected())

    def test_the_menu_items_are_a_file_input_and_a_save_button(self):
        self.assertEqual(element(110).get_attribute('type'), 'file')
        self.assertEqual(DRIVER.execute_script('return arguments[0].parentNode.textContent', element(110)),
                         'ファイル読み込み')
        self.assertEqual(element(112).tag_name, 'button')
        self.assertEqual(element(112).text, '観測データを保存')
        self.assertIn('ファイル', DRIVER.find_element(By.CSS_SELECTOR, '.menu').text)

    def test_controls_stand_at_their_places_on_a_wide_screen(self):
        for id, place in PLACES.items():
            with self.subTest(id=id):
                box = DRIVER.execute_script('''
                    var e = document.querySelector('[data-id="' + arguments[0] + '"]');
                    var box = e.closest('.box') || (e.tagName === 'FIELDSET' ? e.parentNode : e);
                    var client = document.getElementById('client');
                    var r = box.getBoundingClientRect(), c = client.getBoundingClientRect();
                    return [r.left - c.left, r.top - c.top, r.width, r.height];''', id)
                self.assertEqual([round(v) for v in box], list(place))

    def test_colours_are_the_windows(self):
        colour = lambda id: DRIVER.execute_script('return getComputedStyle(arguments[0]).color', element(id))
        self.assertEqual(DRIVER.execute_script('return getComputedStyle(document.body).backgroundColor'),
                         'rgb(0, 0, 0)')
        for id in (1004, 1012, 1017):
            self.assertEqual(colour(id), 'rgb(255, 255, 255)')
        for id in (1005, 1006, 1007, 1011, 1018, 1020, 1022):
            self.assertEqual(colour(id), 'rgb(255, 180, 180)')


class CommandTest(unittest.TestCase):
    def setUp(self):
        open_page()

    def test_damage_cases_of_the_window(self):
        for why, fields, boxes, results in DAMAGE_CASES:
            with self.subTest(why):
                open_page(clear=False)
                for id, value in fields.items():
                    element(id).clear()
                    element(id).send_keys(value)
                for id in boxes:
                    element(id).click()
                element(5000).click()
                self.assertEqual((text(1005), text(1006), text(1007)), results)

    def test_spell_mode_switches_both_ways(self):
        DRIVER.execute_script('arguments[0].selectedIndex = 7', element(4015))
        element(6000).click()
        self.assertEqual(text(1001), SPELL_HEADER)
        self.assertEqual(text(6001), '術適上昇')
        self.assertEqual([element(id).is_enabled() for id in (2002, 4015, 6002, 2000)], [False, False, False, True])
        self.assertEqual(text(4015), '100')
        self.assertEqual([caption(id) for id in (2000, 2022, 2002, 4001, 4015)], ['術適正', '愛', '', '属性倍率', ''])
        element(6000).click()
        self.assertEqual((text(1001), text(6001)), (CALC_HEADER, '攻上昇'))
        self.assertEqual([caption(id) for id in (2002, 4015, 2008, 4014)], ['敵防御', '複属性', 'クリダメ', ''])
        self.assertEqual([element(id).is_enabled() for id in (2002, 4015, 6002)], [True, True, True])
        self.assertEqual(text(4015), '100')

    def test_spin_arrows_and_keys_stop_at_the_range(self):
        element(2000).clear()
        element(2000).send_keys('199')
        for _ in range(2):
            DRIVER.execute_script('arguments[0].querySelector(".up").click()', element(3000))
        self.assertEqual(text(2000), '200')
        element(2022).clear()
        element(2022).send_keys('1\ue015\ue015')  # two Down keys
        self.assertEqual(text(2022), '0')

    def test_edit_fields_take_digits_only_from_the_keyboard(self):
        element(2001).clear()
        element(2001).send_keys('3a0-0')
        self.assertEqual(text(2001), '300')


class EstimateTest(unittest.TestCase):
    def setUp(self):
        open_page()

    def test_examples_give_the_labels_rows_and_candidates_of_torume(self):
        for name in sorted(os.listdir(ARGS.examples)):
            path = os.path.join(ARGS.examples, name)
            with self.subTest(name):
                open_page(clear=False)
                expected = torume('--json', '--candidates', path)
                load(path)
                self.assertEqual(labels(), expected['labels'])
                for r, row in enumerate(expected['rows']):
                    ids = [2003 + r, 2009 + r, 2015 + r, 4003 + r, 2023 + r, 2029 + r, 4009 + r]
                    page = [text(id) for id in ids]
                    page[3] = DRIVER.execute_script('return arguments[0].selectedIndex', element(ids[3]))
                    page[6] = DRIVER.execute_script('return arguments[0].selectedIndex', element(ids[6]))
                    self.assertEqual(page, [row[k] for k in ('damage', 'attack', 'power', 'attribute', 'strength',
                                                              'charm', 'chain')])
                rate = lambda r: '不明' if r is None else '%.3f' % r
                self.assertEqual(analysis()['candidates'],
                                 [['*' if c['chosen'] else '=' if c['tied'] else ' ', str(c['defense']),
                                   *map(rate, c['rates']), str(c['hits']), ' '.join(map(str, c['rows'])) or '-']
                                  for c in expected['candidates']])
                self.assertEqual(analysis()['diagnosis'], [' '.join(filter(None, (d['text'], d.get('withoutText'))))
                                                           for d in expected['diagnosis']])
                self.assertEqual(analysis()['marked'], [d['row'] - 1 for d in expected['diagnosis']])

    def test_many_candidates_fill_the_table_and_the_chart(self):
        load(os.path.join(ARGS.examples, 'many-candidates.txt'))
        table = analysis()['candidates']
        self.assertEqual(len(table), 27)
        self.assertEqual([row[0] for row in table], ['*'] + ['='] * 26)
        self.assertEqual([int(row[1]) for row in table], list(range(26)) + [38])
        hits = DRIVER.execute_script('''return [...document.querySelectorAll('#chart rect.hit[data-row="1"]')]
                                        .map(r => +r.dataset.defense)''')
        self.assertEqual(hits, list(range(26)) + [38])
        self.assertEqual(DRIVER.find_element(By.CSS_SELECTOR, '#chart rect.chosen title').get_attribute('textContent'),
                         '防御 0')

    def test_partial_success_marks_row_4_with_its_diagnosis(self):
        load(os.path.join(ARGS.examples, 'partial-success.txt'))
        result = analysis()
        self.assertEqual((result['marked'], result['markedControls']), ([3], 7))
        self.assertEqual(len(result['diagnosis']), 1)
        self.assertTrue(result['diagnosis'][0].startswith('4行目はほかの行と食い違います'))
        self.assertIn('防御 30', result['diagnosis'][0])
        self.assertIn('計算成功 3データ中 3データ再現', result['diagnosis'][0])
        load(os.path.join(ARGS.examples, 'mistyped-row.txt'))
        result = analysis()
        self.assertEqual(result['marked'], [4])
        self.assertIn('入力の誤り', result['diagnosis'][0])

    def test_a_share_link_reopens_the_rows_and_the_estimate(self):
        load(os.path.join(ARGS.examples, 'partial-success.txt'))
        element(2013).send_keys('7')  # a typed field beyond the loaded rows
        DRIVER.execute_script('arguments[0].selectedIndex = 2', element(4013))
        element(5001).click()
        before = (rows(), labels())
        link = DRIVER.find_element(By.ID, 'share').get_attribute('href')
        self.assertIn('#rows=', link)
        DRIVER.get(URL)
        DRIVER.execute_script('localStorage.clear()')
        open_page(link[len(URL):], clear=False)
        self.assertEqual((rows(), labels()), before)
        self.assertEqual(analysis()['marked'], [3])

    def test_rows_are_kept_between_visits(self):
        element(2003).clear()
        element(2003).send_keys('787')
        element(2009).send_keys('75')
        element(2015).send_keys('100')
        before = rows()
        open_page(clear=False)
        self.assertEqual(rows(), before)
        self.assertEqual(text(1011), '0')

    def test_dropped_and_pasted_text_load_like_a_file(self):
        load_text('# dropped\n1208 50 300 0 10 10 0\n878 55 250 1 10 10 0\n')
        self.assertEqual(text(1015), '計算成功 2データ中 2データ再現')
        open_page()
        before = loads()
        DRIVER.execute_script('''
            var data = new DataTransfer();
            data.setData('text/plain', '1776 45 320 2 10 10 3\\n1522 60 280 0 5 20 0\\n');
            arguments[0].dispatchEvent(new ClipboardEvent('paste', {clipboardData: data, bubbles: true,
                                                                    cancelable: true}));''', element(2003))
        wait_for_load(before)
        self.assertEqual((text(2003), text(2004), text(4010)), ('1776', '1522', '連携無し'))
        self.assertEqual(text(1015), '計算成功 2データ中 2データ再現')


class SaveTest(unittest.TestCase):
    """The save button downloads the file the window's save writes: the
    golden files of the core's test, loaded and saved again, come back
    byte for byte."""

    def setUp(self):
        open_page()
        self.folder = tempfile.mkdtemp()
        DRIVER.execute_cdp_cmd('Browser.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': self.folder})

    def tearDown(self):
        DRIVER.execute_cdp_cmd('Browser.setDownloadBehavior', {'behavior': 'default'})
        shutil.rmtree(self.folder)

    def download(self):
        element(112).click()
        path = os.path.join(self.folder, '観測データ.txt')
        WebDriverWait(DRIVER, 10).until(lambda d: os.listdir(self.folder) == ['観測データ.txt'])
        with open(path, 'rb') as file:
            data = file.read()
        os.remove(path)
        return data

    def test_a_saved_file_holds_the_bytes_of_the_windows_save(self):
        names = sorted(os.listdir(ARGS.saved))
        self.assertEqual(len(names), 4)
        for name in names:
            with self.subTest(name):
                with open(os.path.join(ARGS.saved, name), 'rb') as file:
                    golden = file.read().replace(b'@VERSION@', ARGS.version.encode())
                before = rows()
                load(os.path.join(ARGS.saved, name))
                self.assertNotEqual(rows(), before)
                self.assertEqual(self.download(), golden)

    def test_rows_without_a_damage_save_nothing_and_say_so(self):
        element(2009).send_keys('50')
        element(112).click()
        self.assertEqual(DRIVER.find_element(By.ID, 'status').get_attribute('textContent'),
                         '保存する観測がありません。クリダメが 1 以上の行を入力してください。')
        time.sleep(0.5)
        self.assertEqual(os.listdir(self.folder), [])
        element(2003).clear()
        element(2003).send_keys('787')
        expected = '# トルメ ダメージ計算機 %s\r\n787 50 0 0 0 0 0\r\n' % ARGS.version
        self.assertEqual(self.download(), expected.encode('cp932'))
        self.assertEqual(DRIVER.find_element(By.ID, 'status').get_attribute('textContent'), '', 'the refusal is gone')


def renderers():
    """The process ids of the renderers of our own Chromium: the descendants
    of our chromedriver started with --type=renderer."""
    parent = {}
    for name in os.listdir('/proc'):
        try:
            with open('/proc/%s/stat' % name) as stat:
                parent[int(name)] = int(stat.read().rsplit(')', 1)[1].split()[1])
        except (ValueError, OSError):
            pass

    def ours(pid):
        while pid > 1:
            pid = parent.get(pid, 0)
            if pid == DRIVER.service.process.pid:
                return True
        return False

    found = []
    for pid in parent:
        try:
            with open('/proc/%d/cmdline' % pid, 'rb') as cmdline:
                if b'--type=renderer' in cmdline.read() and ours(pid):
                    found.append(pid)
        except OSError:
            pass
    return found


def memory_kib(pid, field):
    with open('/proc/%d/status' % pid) as status:
        return int(re.search(field + r':\s+(\d+) kB', status.read()).group(1))


class LoadReportTest(unittest.TestCase):
    def setUp(self):
        open_page()
        self.folder = tempfile.mkdtemp()

    def tearDown(self):
        shutil.rmtree(self.folder)

    def write(self, name, data):
        path = os.path.join(self.folder, name)
        with open(path, 'wb') as file:
            file.write(data)
        return path

    def status(self):
        return DRIVER.find_element(By.ID, 'status').get_attribute('textContent').split('\n')

    def test_skipped_lines_are_reported_as_torume_reports_them(self):
        path = self.write('skips.txt', '1208 50 300 0 10 10 0\n８７８ 55 250 1 10 10 0\n878,55,250,1,10,10,0\n'
                                       '878 55 250\n# comment\n\n0 1 1 0 0 0 0\n'.encode() +
                                       b'878 55 250 1 10 10 0\n' * 6)
        report = torume(path, check=False).stderr.replace(path, 'skips.txt').splitlines()
        self.assertEqual(len(report), 4)  # full-width digits, comma, fewer than seven, a seventh row
        load(path)
        self.assertEqual(self.status(), report)
        self.assertEqual(text(1015), '計算成功 6データ中 6データ再現')

    def test_a_file_without_a_data_row_leaves_the_rows_as_typed(self):
        element(2003).clear()
        element(2003).send_keys('787')
        before = rows()
        path = self.write('utf16.txt', '1208 50 300 0 10 10 0\n'.encode('utf-16'))
        cause = torume(path, check=False).stderr.strip().replace('torume: ' + path, 'utf16.txt')
        load(path)
        self.assertEqual(self.status(), ['file読み込み失敗', cause])
        self.assertEqual(rows(), before)
        load(self.write('comments.txt', b'# nothing\n0 50 300 0 0 0 0\n'))
        self.assertEqual(self.status()[1], 'comments.txt: 観測データがありません (クリダメが 1 以上のデータ行がありません)')
        self.assertEqual(rows(), before)

    def test_a_200_mb_file_is_read_in_pieces_in_bounded_memory(self):
        path = os.path.join(self.folder, 'big.txt')
        block = b'1208 50 300 0 10 10 0\n' * 65536
        with open(path, 'wb') as file:
            for _ in range(200 * 1024 * 1024 // len(block) + 1):
                file.write(block)
        pids = renderers()
        resident = {pid: memory_kib(pid, 'VmRSS') for pid in pids}
        for pid in pids:
            with open('/proc/%d/clear_refs' % pid, 'w') as refs:
                refs.write('5')  # the peak resident size starts again from now
        self.assertTrue(DRIVER.execute_script("return PerformanceObserver.supportedEntryTypes.includes('longtask')"))
        DRIVER.execute_script("""
            window.longestTask = 0;
            new PerformanceObserver(list => list.getEntries().forEach(e =>
                window.longestTask = Math.max(window.longestTask, e.duration))).observe({type: 'longtask'});""")
        start = time.monotonic()
        load(path, seconds=120)
        seconds = time.monotonic() - start
        growth = max(memory_kib(pid, 'VmHWM') - resident[pid] for pid in pids) / 1024
        longest = DRIVER.execute_script('return window.longestTask')
        print('\n%d MB file loaded in %.1f s: renderer peak %.1f MB above its size before the load; longest task '
              '%.0f ms (none over 50 ms: 0)' % (os.path.getsize(path) >> 20, seconds, growth, longest), file=sys.stderr)
        self.assertEqual(text(1015), '計算成功 6データ中 6データ再現')
        self.assertRegex(self.status()[-1], r'^big\.txt: ほかに \d+ 行を読み飛ばしました$')
        self.assertLess(growth, 64)
        self.assertLess(longest, 250, 'the page answers while it reads')

    def test_a_file_the_browser_cannot_read_is_a_failed_load(self):
        element(2003).clear()
        element(2003).send_keys('787')
        before = rows()
        path = self.write('gone.txt', b'1208 50 300 0 10 10 0\n')
        picker = DRIVER.execute_script("""
            var picker = document.createElement('input');
            picker.type = 'file';
            return document.body.appendChild(picker);""")
        picker.send_keys(path)
        os.remove(path)  # chosen, then gone before it is read
        count = loads()
        DRIVER.execute_script("""
            var data = new DataTransfer();
            data.items.add(arguments[0].files[0]);
            arguments[0].remove();
            document.body.dispatchEvent(new DragEvent('drop', {dataTransfer: data, bubbles: true, cancelable: true}));""",
                              picker)
        wait_for_load(count)
        status = self.status()
        self.assertEqual(status[0], 'file読み込み失敗')
        self.assertRegex(status[1], r'^gone\.txt: \S')  # the browser's own words
        self.assertEqual(rows(), before)


class LayoutAndSpeedTest(unittest.TestCase):
    def tearDown(self):
        DRIVER.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})

    def test_a_phone_gets_one_column_without_horizontal_scrolling(self):
        DRIVER.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                               {'width': 390, 'height': 844, 'deviceScaleFactor': 2, 'mobile': True})
        open_page()
        load(os.path.join(ARGS.examples, 'partial-success.txt'))
        self.assertLessEqual(DRIVER.execute_script('return document.documentElement.scrollWidth'), 390)
        small = DRIVER.execute_script('''
            return [...document.querySelectorAll('#client input, #client select, #client button, .menu-item')]
                .filter(e => e.offsetParent && e.closest('.box, .menu-item, button'))
                .map(e => (e.closest('.box.check, .menu-item') || e).getBoundingClientRect())
                .filter(r => r.height < 44 || r.left < 0 || r.right > 390).length''')
        self.assertEqual(small, 0, 'every field, list and button at least 44 pixels high and on the screen')
        if ARGS.screenshots:
            element(5000).click()
            DRIVER.execute_script('window.scrollTo(0, 0)')
            DRIVER.save_screenshot(os.path.join(ARGS.screenshots, 'web-phone.png'))

    def test_wide_screenshot(self):
        if not ARGS.screenshots:
            self.skipTest('no --screenshots')
        open_page()
        load(os.path.join(ARGS.examples, 'partial-success.txt'))
        element(5000).click()
        height = DRIVER.execute_script('return document.documentElement.scrollHeight')
        DRIVER.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                               {'width': 720, 'height': height, 'deviceScaleFactor': 1, 'mobile': False})
        DRIVER.save_screenshot(os.path.join(ARGS.screenshots, 'web.png'))

    def test_size_and_speed(self):
        size = sum(os.path.getsize(os.path.join(ARGS.site, name)) for name in os.listdir(ARGS.site))
        ready = []
        for _ in range(5):
            open_page(clear=False)
            ready.append(float(DRIVER.execute_script('return document.body.dataset.ready')))
        times = {}
        for name, six in (('six rows', SIX_ROWS), ('worst six rows', WORST_SIX_ROWS)):
            load_text(six)
            self.assertIn('6データ中', text(1015))
            runs, analyses = [], []
            for _ in range(20):
                element(5001).click()
                runs.append(float(DRIVER.execute_script('return document.body.dataset.estimationMs')))
                analyses.append(float(DRIVER.execute_script('return document.body.dataset.analysisMs')))
            times[name] = statistics.median(runs)
            times[name + ' analysis'] = statistics.median(analyses)
        print('\nsite %d bytes; interactive after %.1f ms (median of 5 loads); medians of 20: estimation of six '
              'rows %.2f ms, worst six rows %.2f ms; candidates, diagnosis and chart shown in %.2f and %.2f ms'
              % (size, statistics.median(ready), times['six rows'], times['worst six rows'],
                 times['six rows analysis'], times['worst six rows analysis']), file=sys.stderr)
        self.assertLessEqual(size, 300 * 1024)
        self.assertLessEqual(statistics.median(ready), 500)
        self.assertLessEqual(max(times['six rows'], times['worst six rows']), 5)


def setUpModule():
    global SERVER, DRIVER, URL
    SERVER = subprocess.Popen([sys.executable, '-u', '-m', 'http.server', '0', '--bind', '127.0.0.1',
                               '--directory', ARGS.site], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    port = re.search(r'port (\d+)', SERVER.stdout.readline()).group(1)
    URL = 'http://127.0.0.1:%s/' % port
    options = webdriver.ChromeOptions()
    for argument in ('--headless=new', '--no-sandbox', '--disable-dev-shm-usage', '--window-size=800,1000'):
        options.add_argument(argument)
    try:
        DRIVER = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    except Exception:
        tearDownModule()
        raise


def tearDownModule():
    if DRIVER:
        DRIVER.quit()
    if SERVER:
        SERVER.terminate()  # the server's own process id
        SERVER.wait()


if __name__ == '__main__':
    parser = argparse.ArgumentParser()
    parser.add_argument('--site', required=True)
    parser.add_argument('--torume', required=True)
    parser.add_argument('--examples', required=True)
    parser.add_argument('--saved', required=True)
    parser.add_argument('--version', required=True)
    parser.add_argument('--screenshots')
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)
