#!/usr/bin/env python3
"""Validates the JSON that torume prints against its JSON Schemas.

Runs torume over a table of invocations (every example, with and without
--candidates, a batch, files that fail, skipped lines, the calculator's
variants and extremes), then the unit tests of torume, which keep every
JSON they produce, and checks each output with a draft 2020-12 validator,
and the schemas themselves against the draft's metaschema.
"""
import argparse
import json
import os
import subprocess
import sys
import tempfile

from jsonschema import Draft202012Validator


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--torume', required=True)
    parser.add_argument('--schemas', required=True)
    parser.add_argument('--examples', required=True)
    parser.add_argument('--unit-tests', required=True, help="torume's unit test program")
    args = parser.parse_args()

    validators = {}
    for name in ('estimate', 'damage'):
        with open(os.path.join(args.schemas, name + '.schema.json'), encoding='utf-8') as f:
            schema = json.load(f)
        Draft202012Validator.check_schema(schema)
        validators[name] = Draft202012Validator(schema)

    examples = sorted(os.path.join(args.examples, name) for name in os.listdir(args.examples) if name.endswith('.txt'))
    scratch = tempfile.mkdtemp(prefix='torume-schema-')
    made = {
        'skipped.txt': b'\xef\xbc\x98 50 300 0 0 0 0\n1208,50,300 0 0 0 0\n1208 50\nabc\n' +
                       b'1208 50 300 0 10 10 0\n' * 7,
        'no-solution.txt': b'1 50 300 0 0 0 0\n',
        'missing-attribute.txt': b'1208 50 300 0 0 0 0\n878 50 300 7 0 0 6\n',
        'comments-only.txt': b'# nothing\n',
        'utf16.txt': b'\xff\xfe1\x002\x00',
        'many-skipped.txt': b'x\n' * 150 + b'1208 50 300 0 10 10 0\n',
        'extremes.txt': b'2147483647 2147483647 2147483647 2 2147483647 -2147483648 5\n',
    }
    for name, data in made.items():
        with open(os.path.join(scratch, name), 'wb') as f:
            f.write(data)
    made = {name: os.path.join(scratch, name) for name in made}
    missing = os.path.join(scratch, 'no-such-file.txt')

    estimate_runs = [[e] for e in examples] + [['--candidates', e] for e in examples]
    estimate_runs += [[made[name]] for name in made] + [[missing], [scratch]]
    estimate_runs += [examples + [missing, made['utf16.txt']], ['--candidates'] + examples]
    damage_runs = [[], ['--explain'], ['--spell', '--attack-up'], ['--defense-down', '--rate', '50', '--rate2', '137.5'],
                   ['--attack', '2147483647', '--power', '2147483647', '--strength', '2147483647', '--explain'],
                   ['--attack=-2147483648', '--defense', '2147483647', '--explain'], ['--power', 'abc']]

    outputs = []  # (what, kind, bytes)
    for kind, runs in (('estimate', estimate_runs), ('damage', damage_runs)):
        for run in runs:
            command = [args.torume, kind, '--json'] + run
            outputs.append((' '.join(command), kind, subprocess.run(command, capture_output=True).stdout))
    kept = os.path.join(scratch, 'unit-tests')
    os.mkdir(kept)
    subprocess.run([args.unit_tests, '--gtest_filter=Torume*'], env=dict(os.environ, TORUME_JSON_OUT=kept),
                   capture_output=True, check=True)
    for name in sorted(os.listdir(kept)):
        with open(os.path.join(kept, name), 'rb') as f:
            outputs.append(('unit test output ' + name, name.split('-', 1)[1][:-len('.json')], f.read()))

    failures = 0
    for what, kind, output in outputs:
        try:
            errors = list(validators[kind].iter_errors(json.loads(output)))
        except ValueError as error:
            errors = ['not JSON: %s' % error]
        for error in errors:
            failures += 1
            where = '/'.join(str(part) for part in getattr(error, 'absolute_path', []))
            print('%s: at /%s: %.300s' % (what, where, getattr(error, 'message', error)), file=sys.stderr)
    print('%d outputs validated (%d from the unit tests), %d errors' %
          (len(outputs), len(os.listdir(kept)), failures))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
