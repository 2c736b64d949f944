#!/usr/bin/python3
"""Writes config/uiPara.h from config/uiPara.h.in and the field table
config/uiPara_fields.def, and checks the limits table config/uiPara_limits.def
against the field table.

moc cannot see signals that a macro declares, so the header spells every
getter, setter and change signal out; this script keeps it in step with the
table. Usage:
    gen_uiPara.py            rewrite uiPara.h beside this script
    gen_uiPara.py --check    exit 1 when uiPara.h differs from what the table gives
    gen_uiPara.py --out F    write to F instead
"""
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROW = re.compile(r'^\s*(UIPARA_SCALAR|UIPARA_STEPS|UIPARA_MIRROR|UIPARA_MIRROR_STEPS)\((.*)\)\s*$')
EXPECTED_TEXT_FIELDS = 1107
LIMIT_ROW = re.compile(r'^\s*UIPARA_LIMIT\(\s*(\w+)\s*,\s*([-+0-9.eE]+)\s*,\s*([-+0-9.eE]+)\s*\)\s*$')
# kinds whose values need a range; the others parse only as their few words
LIMITED_KINDS = {'level', 'level_whole', 'count', 'aver', 'step_number'}


def split_args(text):
    args, cur, quoted = [], '', False
    for ch in text:
        if ch == '"':
            quoted = not quoted
        if ch == ',' and not quoted:
            args.append(cur.strip())
            cur = ''
        else:
            cur += ch
    args.append(cur.strip())
    return args


def read_table(path):
    rows = []
    with open(path, encoding='utf-8') as f:
        for number, line in enumerate(f, 1):
            if line.lstrip().startswith('//') or not line.strip():
                continue
            m = ROW.match(line)
            if not m:
                sys.exit(f'{path}:{number}: not a field row: {line.rstrip()}')
            macro, args = m.group(1), split_args(m.group(2))
            want = {'UIPARA_SCALAR': 6, 'UIPARA_STEPS': 6, 'UIPARA_MIRROR': 3, 'UIPARA_MIRROR_STEPS': 3}[macro]
            if len(args) != want:
                sys.exit(f'{path}:{number}: {macro} takes {want} arguments')
            rows.append((macro, args, number))
    return rows


def check_table(rows, path):
    names, text_fields = {}, 0
    for macro, args, number in rows:
        if macro == 'UIPARA_SCALAR':
            name, kind = args[2], args[0]
            text_fields += 1
        elif macro == 'UIPARA_STEPS':
            name, kind = args[1], args[0]
            text_fields += int(args[2])
        elif macro == 'UIPARA_MIRROR':
            name = args[1]
            if args[2] not in names:
                sys.exit(f'{path}:{number}: mirror source {args[2]} must come first')
        else:
            name = args[0]
            if args[2] not in names:
                sys.exit(f'{path}:{number}: mirror source {args[2]} must come first')
        if name in names:
            sys.exit(f'{path}:{number}: {name} listed twice')
        names[name] = number
    if text_fields != EXPECTED_TEXT_FIELDS:
        sys.exit(f'{path}: the settings text would have {text_fields} fields, not {EXPECTED_TEXT_FIELDS}')


def check_limits(rows, path):
    limited = {}
    for macro, args, _ in rows:
        if macro == 'UIPARA_SCALAR' and args[0] in LIMITED_KINDS:
            limited[args[2]] = float(args[3])
        elif macro == 'UIPARA_STEPS' and args[0] in LIMITED_KINDS:
            limited[args[1]] = float(args[3].strip('"'))
    seen = set()
    with open(path, encoding='utf-8') as f:
        for number, line in enumerate(f, 1):
            if line.lstrip().startswith('//') or not line.strip():
                continue
            m = LIMIT_ROW.match(line)
            if not m:
                sys.exit(f'{path}:{number}: not a limit row: {line.rstrip()}')
            name, low, high = m.group(1), float(m.group(2)), float(m.group(3))
            if name not in limited:
                sys.exit(f'{path}:{number}: {name} is no numeric field of the settings text')
            if name in seen:
                sys.exit(f'{path}:{number}: {name} listed twice')
            if not low <= limited[name] <= high:
                sys.exit(f'{path}:{number}: the default of {name} is outside {low}..{high}')
            seen.add(name)
    missing = sorted(set(limited) - seen)
    if missing:
        sys.exit(f'{path}: no limits for {", ".join(missing)}')


def scalar_type(macro, args):
    return args[1] if macro == 'UIPARA_SCALAR' else args[0]


def generate(rows):
    data, access, sigs = [], [], []
    for macro, args, _ in rows:
        if macro in ('UIPARA_SCALAR', 'UIPARA_MIRROR'):
            t = scalar_type(macro, args)
            name = args[2] if macro == 'UIPARA_SCALAR' else args[1]
            data.append(f'    {t} {name};')
            access.append(f'    Q_INVOKABLE {t} get_{name}() const;')
            access.append(f'    Q_INVOKABLE void set_{name}({t} value);')
            sigs.append(f'    void sig_{name}({t} value);')
        else:
            name = args[1] if macro == 'UIPARA_STEPS' else args[0]
            data.append(f'    QStringList {name};')
            access.append(f'    Q_INVOKABLE QStringList get_{name}() const;')
            access.append(f'    Q_INVOKABLE void set_{name}(const QStringList& value);')
            access.append(f'    Q_INVOKABLE QString get_{name}_by_index(int index) const;')
            access.append(f'    Q_INVOKABLE void set_{name}_by_index(const QString& text, int index);')
            sigs.append(f'    void sig_{name}(const QStringList& value);')
            sigs.append(f'    void sig_{name}_by_index(const QString& text, int index);')
    return {'@DATA_MEMBERS@': '\n'.join(data),
            '@ACCESSORS@': '\n'.join(access),
            '@SIGNALS@': '\n'.join(sigs)}


def main():
    argv = sys.argv[1:]
    check = '--check' in argv
    out = os.path.join(HERE, 'uiPara.h')
    if '--out' in argv:
        out = argv[argv.index('--out') + 1]
    table = os.path.join(HERE, 'uiPara_fields.def')
    rows = read_table(table)
    check_table(rows, table)
    check_limits(rows, os.path.join(HERE, 'uiPara_limits.def'))
    with open(os.path.join(HERE, 'uiPara.h.in'), encoding='utf-8') as f:
        text = f.read()
    for marker, body in generate(rows).items():
        if marker not in text:
            sys.exit(f'uiPara.h.in has no {marker}')
        text = text.replace(marker, body)
    if check:
        try:
            with open(out, encoding='utf-8') as f:
                current = f.read()
        except OSError:
            current = None
        if current != text:
            sys.exit(f'{out} is out of date: run {os.path.basename(__file__)}')
        return
    with open(out, 'w', encoding='utf-8') as f:
        f.write(text)


if __name__ == '__main__':
    main()
