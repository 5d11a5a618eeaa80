#!/usr/bin/env python3
"""Builds the shipped menu templates into data/templates/, one folder per template.

    python3 tools/make_templates.py [--cli build/app/zarvex-cli] [output-folder]

This script decides what each template holds; the program writes it. For every
template it writes a menu structure file (.gms) and a settings file of menu fields,
and `zarvex-cli import-gms IN OUT --settings FILE` turns the two into the project
file, so there is one writer of the project format.

Each template folder also holds the template's own menu images, drawn here in the
template's colours under the names the stylesheet uses (arrow, hover arrow,
separator, the six scroll buttons). Opening a template stages them, and Preview,
Save and zarvex-cli all publish them in place of the program's defaults.

Every template is checked before it is written: system font stack, 15-16 px text,
icons 16 px or larger, WCAG AA contrast (4.5:1) for the normal, hover and active
text on their backgrounds, tooltips only below the top level (the editor has no
tooltip for a top-level item) and no quote characters in any text (the editor's
input check refuses them). Links point inside the page (#...), so a published
template is a working page by itself.
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # leave no cache folder in tools/
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_images import write_gif  # noqa: E402  (the shared GIF writer)

SEPARATOR = '#$@'
GMS_HEADER = [
    '<Generator_Name>', 'Zarvex', '</Generator_Name>',
    '<Generator_Version>', '1.0', '</Generator_Version>',
    '<Product_Name>', 'General Menu Structure Description Format', '</Product_Name>',
    '<Product_Version>', '1.0', '</Product_Version>',
    '<Structure_Description>',
]
GMS_FOOTER = '</Structure_Description>'

SANS = 'system-ui, -apple-system, Segoe UI, Roboto, Helvetica Neue, Arial, sans-serif'
SERIF = 'Charter, Bitstream Charter, Sitka Text, Cambria, Georgia, serif'
ROUNDED = 'ui-rounded, SF Pro Rounded, system-ui, Segoe UI, Roboto, Arial, sans-serif'
POINTER = '6'  # index of "pointer" in the cursor list

# ---------------------------------------------------------------- item trees


class Item:
    def __init__(self, text, link='', tip='', icon='', children=()):
        self.text, self.link, self.tip, self.icon = text, link, tip, icon
        self.children = list(children)


def slug(text):
    return '#' + ''.join(c if c.isalnum() else '-' for c in text.lower()).strip('-')


def sub(text, *children, icon=''):
    """An item that opens a pop-up."""
    return Item(text, '', '', icon, children)


def leaf(text, tip='', icon=''):
    return Item(text, slug(text), tip, icon)


def sep():
    return Item('Separator')


def walk(items, level=0):
    for node in items:
        yield node, level
        yield from walk(node.children, level + 1)


# ---------------------------------------------------------------- colours

def luminance(hex_colour):
    def channel(v):
        v /= 255
        return v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4
    r, g, b = (int(hex_colour[i:i + 2], 16) for i in (0, 2, 4))
    return 0.2126 * channel(r) + 0.7152 * channel(g) + 0.0722 * channel(b)


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def rgb(hex_colour):
    return tuple(int(hex_colour[i:i + 2], 16) for i in (0, 2, 4))


def mix(a, b, t):
    """t of colour a, 1 - t of colour b."""
    return tuple(round(x * t + y * (1 - t)) for x, y in zip(rgb(a), rgb(b)))


# ---------------------------------------------------------------- templates

TEMPLATES = []


def template(name, title, menu, items):
    TEMPLATES.append((name, title, menu, items))


def palette(text, back, text_hover, back_hover, back_active, border):
    return {'TextColor': text, 'BackgroundColor': back,
            'TextColorHover': text_hover, 'BackgroundColorHover': back_hover,
            'TextColorActive': text_hover, 'BackgroundColorActive': back_active,
            'BorderColorTop': border, 'BorderColorRight': border,
            'BorderColorBottom': border, 'BorderColorLeft': border}


def common(**fields):
    base = {'ShowTooltips': '1', 'ShowShadow': '1', 'ClickToOpen': '0', 'DelayClose': '300',
            'BlinkTimes': '0', 'PaddingTop': '4', 'PaddingRight': '8', 'PaddingBottom': '4',
            'PaddingLeft': '8', 'BorderWidth': '1', 'BorderStyle': '3', 'Cursor': POINTER,
            'ZIndex': '1000', 'FontFamily': SANS, 'FontSize': '15',
            'IconWidth': '22', 'IconHeight': '22'}
    base.update(fields)
    return base


template('light_bar', 'Light Bar', common(
    MenuName='LightBar', **palette('1F2933', 'FFFFFF', 'FFFFFF', '1D4ED8', '1E3A8A', 'D9E2EC')), [
    leaf('Home'),
    sub('Products',
        sub('Software',
            leaf('Office Suite', 'Documents, spreadsheets and slides'),
            leaf('Photo Studio', 'Edit and organise your pictures'),
            leaf('Backup Manager', 'Automatic backups to disk or cloud')),
        sub('Hardware',
            leaf('Laptops', 'Light machines for work on the move'),
            leaf('Desktops', 'Towers and all-in-one computers'),
            leaf('Accessories', 'Keyboards, mice, cables and bags')),
        sep(),
        leaf('Special Offers', 'The best prices of the month')),
    sub('Services',
        leaf('Consulting', 'Planning and roll-out with our experts'),
        sub('Training',
            leaf('Online Courses', 'Learn at your own pace'),
            leaf('Classroom Courses', 'Two-day courses in our training centres')),
        leaf('Support Plans', 'Phone and e-mail support for businesses')),
    sub('About',
        leaf('Our Company', 'Who we are and what we do'),
        leaf('Careers', 'Open positions'),
        sep(),
        leaf('News', 'Announcements and press releases')),
    leaf('Contact'),
])

template('dark_bar', 'Dark Bar', common(
    MenuName='DarkBar', **palette('F3F4F6', '111827', 'FFFFFF', '374151', '2563EB', '1F2937')), [
    leaf('Home'),
    sub('Games',
        sub('Action',
            leaf('Night Runner', 'A rooftop chase through a neon city'),
            leaf('Iron Tide', 'Naval battles for up to eight players')),
        sub('Puzzle',
            leaf('Prism', 'Bend light to open every door'),
            leaf('Tangle', 'Untie the knots before time runs out')),
        sep(),
        leaf('Coming Soon', 'What we are working on')),
    sub('Community',
        leaf('Forums', 'Talk to other players'),
        sub('Events',
            leaf('Tournaments', 'Season schedule and results'),
            leaf('Meet-ups', 'Meet the team in your city')),
        leaf('Fan Art', 'The gallery of your work')),
    sub('Press',
        leaf('Press Kit', 'Logos, screenshots and fact sheets'),
        leaf('Press Releases', 'Our latest announcements')),
    leaf('Support'),
])

template('vertical_sidebar', 'Vertical Sidebar', common(
    MenuName='SideBar', Orientation='1', PaddingLeft='0', PaddingRight='0',
    **palette('0F172A', 'F8FAFC', 'FFFFFF', '0F766E', '115E59', 'E2E8F0')), [
    leaf('Overview'),
    sub('Getting Started',
        leaf('Installation', 'System requirements and set-up'),
        leaf('First Steps', 'A ten-minute tour'),
        sub('Configuration',
            leaf('Basic Settings', 'Language, folders and updates'),
            leaf('Advanced Settings', 'Proxies, logging and performance'))),
    sub('User Guide',
        sub('Working with Files',
            leaf('Opening Files', 'Supported formats and recent files'),
            leaf('Saving Files', 'Versions, backups and auto-save'),
            leaf('Exporting', 'PDF, HTML and plain text')),
        leaf('Printing', 'Page set-up and print preview'),
        leaf('Keyboard Shortcuts', 'Every shortcut on one page')),
    sub('Reference',
        leaf('Command Line', 'Options and exit codes'),
        leaf('File Formats', 'What each file holds'),
        sep(),
        leaf('Release Notes', 'What changed in each version')),
    leaf('FAQ'),
    leaf('Contact Support'),
])

template('click_to_open', 'Click to Open', common(
    MenuName='ClickBar', ClickToOpen='1', DelayClose='500', FontSize='16',
    **palette('3B2A1A', 'FFFBF5', 'FFFFFF', 'B45309', '92400E', 'F1E4D3')), [
    sub('Shop',
        sub('Clothing',
            leaf('Women', 'Dresses, tops and knitwear'),
            leaf('Men', 'Shirts, trousers and jackets'),
            leaf('Children', 'Sizes from 2 to 14 years')),
        sub('Home and Garden',
            leaf('Kitchen', 'Cookware and tableware'),
            leaf('Furniture', 'Chairs, tables and shelves'),
            leaf('Garden Tools', 'Everything for the outdoors')),
        sep(),
        leaf('Gift Cards', 'Send a gift by e-mail'),
        leaf('Sale', 'Up to half off selected items')),
    sub('My Account',
        leaf('Orders', 'Track and return your orders'),
        leaf('Wish List', 'Items you saved for later'),
        leaf('Settings', 'Addresses, payment and e-mail'),
        sep(),
        leaf('Sign Out', 'End your session')),
    sub('Help',
        leaf('Shipping', 'Delivery times and costs'),
        leaf('Returns', 'Thirty days to change your mind'),
        leaf('Size Guide', 'Find the right fit')),
    leaf('Our Stores'),
])

template('icon_bar', 'Icon Bar', common(
    MenuName='IconBar', IconWidth='24', IconHeight='24',
    **palette('202124', 'FFFFFF', 'FFFFFF', '1A5FC8', '174EA6', 'DADCE0')), [
    leaf('Home', icon='home.svg'),
    sub('Products',
        sub('Software',
            leaf('Desktop Apps', 'For Windows, macOS and Linux', 'window.svg'),
            leaf('Cloud Services', 'Storage and sync for teams', 'cloud.svg'),
            leaf('Add-ons', 'Plug-ins for the apps you use', 'gear.svg'),
            icon='window.svg'),
        sub('Hardware',
            leaf('Computers', 'Desktops and laptops', 'monitor.svg'),
            leaf('Accessories', 'Cables, cases and chargers', 'box.svg'),
            icon='monitor.svg'),
        sep(),
        leaf('Special Offers', 'Limited-time prices', 'star.svg'),
        icon='box.svg'),
    sub('Downloads',
        leaf('Latest Release', 'Version 4.2 for all platforms', 'download.svg'),
        leaf('Older Versions', 'Every earlier release', 'box.svg'),
        sep(),
        leaf('Release Notes', 'What changed in each version', 'book.svg'),
        icon='download.svg'),
    sub('Support',
        leaf('Documentation', 'Manuals and how-to guides', 'book.svg'),
        leaf('FAQ', 'Answers to common questions', 'help.svg'),
        sub('Contact Us',
            leaf('E-mail', 'We reply within one working day', 'mail.svg'),
            leaf('Phone', 'Monday to Friday, 9:00 to 17:00', 'phone.svg'),
            icon='mail.svg'),
        icon='help.svg'),
    sub('About',
        leaf('Our Team', 'Who builds the products', 'people.svg'),
        leaf('News', 'Announcements and press releases', 'news.svg'),
        icon='info.svg'),
])

template('outline_minimal', 'Outline Minimal', common(
    MenuName='OutlineBar', ShowShadow='0', DelayClose='200',
    **palette('333333', 'FFFFFF', 'FFFFFF', '111111', '4B5563', 'D4D4D4')), [
    sub('Work',
        leaf('Branding', 'Logos and visual identities'),
        sub('Web Design',
            leaf('Case Studies', 'How we built them, step by step'),
            leaf('Shop Sites', 'Online shops for small businesses'),
            leaf('Landing Pages', 'Single pages that sell one thing')),
        sub('Photography',
            leaf('Portraits', 'Studio and outdoor portraits'),
            leaf('Products', 'Catalogue and packshot photography'))),
    leaf('Journal'),
    sub('Studio',
        leaf('About Us', 'A small team with a big workshop'),
        leaf('Team', 'The people behind the work'),
        sep(),
        leaf('Careers', 'Internships and open positions')),
    leaf('Contact'),
])

template('navy_serif', 'Navy Serif', common(
    MenuName='NavyBar', FontFamily=SERIF, FontSize='16',
    **palette('FFFFFF', '0B1F3A', 'FFFFFF', '2A4D7A', '8A5A00', '23395B')), [
    leaf('Home'),
    sub('Solutions',
        sub('For Individuals',
            leaf('Savings Accounts', 'Flexible and fixed-term savings'),
            leaf('Mortgages', 'Buying, moving or remortgaging'),
            leaf('Insurance', 'Home, travel and life cover')),
        sub('For Business',
            leaf('Business Accounts', 'Current accounts for companies'),
            leaf('Loans', 'Finance for growth and equipment'),
            leaf('Payroll', 'Pay your staff on time, every time'))),
    sub('Insights',
        leaf('Market Reports', 'Quarterly analysis by our economists'),
        leaf('Webinars', 'Live sessions and recordings'),
        sep(),
        leaf('Newsletter', 'One e-mail a month')),
    sub('About Us',
        leaf('Leadership', 'Our board and executive team'),
        leaf('Locations', 'Offices in twelve countries'),
        leaf('Investor Relations', 'Results, reports and shareholder news')),
    leaf('Contact'),
])


def catalogue():
    """A department store: several hundred items, pop-ups long enough to scroll."""
    departments = {
        'Electronics': ['Phones', 'Laptops', 'Tablets', 'Cameras', 'Audio', 'Gaming', 'Smart Home',
                        'Wearables'],
        'Living': ['Kitchen', 'Bedding', 'Bath', 'Lighting', 'Storage', 'Decor', 'Cleaning'],
        'Garden': ['Tools', 'Plants', 'Furniture', 'Barbecue', 'Watering', 'Lawn Care'],
        'Fashion': ['Women', 'Men', 'Children', 'Shoes', 'Bags', 'Jewellery', 'Watches'],
        'Sports': ['Running', 'Cycling', 'Swimming', 'Fitness', 'Team Sports', 'Outdoor',
                   'Winter Sports'],
        'Books': ['Fiction', 'Crime', 'Science', 'History', 'Cookery', 'Travel', 'Children'],
    }
    kinds = ['New Arrivals', 'Best Sellers', 'Premium Range', 'Everyday Basics', 'Eco Choice',
             'Gift Sets', 'Starter Kits', 'Spare Parts', 'Bundles', 'Clearance']
    brands = ['Acorn', 'Alder', 'Amber', 'Apex', 'Arbor', 'Aster', 'Atlas', 'Aurora', 'Beacon',
              'Birch', 'Bloom', 'Bolt', 'Breeze', 'Brook', 'Cedar', 'Cinder', 'Cirrus', 'Clover',
              'Cobalt', 'Comet', 'Coral', 'Crest', 'Delta', 'Drift', 'Dune', 'Echo', 'Ember',
              'Fable', 'Fern', 'Fjord', 'Flint', 'Forge', 'Frost', 'Garnet', 'Glade', 'Granite',
              'Harbor', 'Hazel', 'Heron', 'Indigo', 'Iris', 'Ivy', 'Jade', 'Juniper', 'Kestrel',
              'Lark', 'Linden', 'Lumen', 'Maple', 'Marble', 'Meadow', 'Nimbus', 'Nova', 'Oak',
              'Onyx', 'Orbit', 'Pebble', 'Pine', 'Prism', 'Quartz', 'Quill', 'Raven', 'Reed',
              'Ridge', 'Sable', 'Sage', 'Slate', 'Sparrow', 'Spruce', 'Summit', 'Tide', 'Timber',
              'Topaz', 'Tundra', 'Umber', 'Vale', 'Willow', 'Wren', 'Yarrow', 'Zephyr',
              # names from abroad: the published page declares its character set
              'Ångström', 'Café Crème', 'Øresund', 'Zürich']
    items = [leaf('Home')]
    for department, categories in departments.items():
        subs = []
        for category in categories:
            subs.append(sub(category, *[
                Item(kind, slug(f'{department} {category} {kind}'),
                     f'{kind} in {category.lower()}') for kind in kinds]))
        subs += [sep(), Item(f'All {department}', slug(f'all {department}'),
                             f'Every {department.lower()} item on one page')]
        items.append(sub(department, *subs))
    items.append(sub('Brands', *[Item(b, slug(f'brand {b}'), f'Everything by {b}')
                                 for b in brands]))
    items.append(leaf('Offers'))
    return items


template('mega_catalogue', 'Mega Catalogue', common(
    MenuName='MegaMenu', DelayClose='400',
    **palette('1E293B', 'F8FAFC', 'FFFFFF', '7C3AED', '5B21B6', 'E2E8F0')), catalogue())


# ---------------------------------------------------------------- checks

def check(name, menu, items):
    pairs = [('TextColor', 'BackgroundColor'), ('TextColorHover', 'BackgroundColorHover'),
             ('TextColorActive', 'BackgroundColorActive')]
    for text, back in pairs:
        ratio = contrast(menu[text], menu[back])
        if ratio < 4.5:
            raise ValueError(f'{name}: {text} on {back} has contrast {ratio:.2f}, under 4.5')
    if not 15 <= int(menu['FontSize']) <= 16:
        raise ValueError(f'{name}: text is {menu["FontSize"]} px')
    if min(int(menu['IconWidth']), int(menu['IconHeight'])) < 16:
        raise ValueError(f'{name}: icons under 16 px')
    if '\'' in menu['FontFamily'] or '"' in menu['FontFamily']:
        raise ValueError(f'{name}: quotes in the font family')
    for node, level in walk(items):
        texts = (node.text, node.link, node.tip, node.icon)
        if any(c in t for t in texts for c in '\'"\\') or any(SEPARATOR in t for t in texts):
            raise ValueError(f'{name}: {node.text!r} holds a character the editor refuses')
        if level == 0 and node.tip:
            raise ValueError(f'{name}: top-level item {node.text!r} has a tooltip')


# ---------------------------------------------------------------- images

def draw_arrow(path, colour):
    """The 9 x 9 submenu arrow: a head 4 pixels wide and 7 tall."""
    rows = [[0] * 9 for _ in range(9)]
    for k in range(4):
        for j in range(-(3 - k), 4 - k):
            rows[4 + j][2 + k] = 1
    write_gif(path, [px for row in rows for px in row], 9, 9, [(255, 255, 255), colour],
              transparent=0)


def draw_separator(path, colour):
    write_gif(path, [1] * 1000, 1000, 1, [(255, 255, 255), colour])


def draw_scroll(path, pointing, ink, back=None):
    """An arrow for the 11-pixel scroll strips; with back, on a strip wide enough to
    fill most pop-ups."""
    w, h = (15, 11) if back is None else (600, 11)
    rows = [[0 if back is None else 2] * w for _ in range(h)]
    cx, top = w // 2, h // 2 - 2
    for k in range(4):  # k = 0 is the tip
        y = top + k if pointing == 'up' else top + 3 - k
        for j in range(-k, k + 1):
            rows[y][cx + j] = 1
    pal = [(255, 255, 255), ink] + ([rgb(back)] if back else [])
    write_gif(path, [px for row in rows for px in row], w, h, pal,
              transparent=0 if back is None else None)


def draw_images(folder, menu):
    text, back = menu['TextColor'], menu['BackgroundColor']
    draw_arrow(os.path.join(folder, 'arrowr.gif'), mix(text, back, 0.8))
    draw_arrow(os.path.join(folder, 'arrowrh.gif'), rgb(menu['TextColorHover']))
    draw_separator(os.path.join(folder, 'sep.gif'), mix(text, back, 0.25))
    for pointing, stem in (('up', 'scrollu'), ('down', 'scrolld')):
        draw_scroll(os.path.join(folder, stem + '.gif'), pointing, rgb(text))
        draw_scroll(os.path.join(folder, stem + 'h.gif'), pointing, rgb(menu['TextColorHover']),
                    menu['BackgroundColorHover'])
        draw_scroll(os.path.join(folder, stem + 'd.gif'), pointing, rgb(menu['TextColorActive']),
                    menu['BackgroundColorActive'])


# 24 x 24 line icons on a soft tile, readable on the light bar and on its hover blue.
ICON_TILE = '<rect x="1" y="1" width="22" height="22" rx="6" fill="#E8F0FE"/>'
ICON_GLYPHS = {
    'home.svg': '<path d="M6 12l6-5 6 5M8 11v7h8v-7"/>',
    'window.svg': '<rect x="5.5" y="6.5" width="13" height="11" rx="1.5"/><path d="M5.5 9.5h13"/>',
    'cloud.svg': '<path d="M8 17h8.5a3 3 0 0 0 0-6 4.5 4.5 0 0 0-8.6-1A3.5 3.5 0 0 0 8 17z"/>',
    'gear.svg': '<circle cx="12" cy="12" r="2.5"/><path d="M12 5v2.5M12 16.5V19M5 12h2.5M16.5 12H19'
                'M7 7l1.8 1.8M15.2 15.2L17 17M7 17l1.8-1.8M15.2 8.8L17 7"/>',
    'monitor.svg': '<rect x="5" y="6" width="14" height="9" rx="1.5"/><path d="M10 18.5h4M12 15v3.5"/>',
    'box.svg': '<path d="M5.5 9l6.5-3 6.5 3v7l-6.5 3-6.5-3zM5.5 9l6.5 3 6.5-3M12 12v7"/>',
    'star.svg': '<path d="M12 5.5l2 4.2 4.5.6-3.3 3.1.8 4.5L12 15.8l-4 2.1.8-4.5-3.3-3.1 4.5-.6z"/>',
    'download.svg': '<path d="M12 5.5v9M8 11l4 4 4-4M6 18.5h12"/>',
    'book.svg': '<path d="M6 6.5h5a1.5 1.5 0 0 1 1 1.2V18a2 2 0 0 0-1.5-1H6zM18 6.5h-5a1.5 1.5 0 0 0-1 1.2'
                'V18a2 2 0 0 1 1.5-1H18z"/>',
    'help.svg': '<circle cx="12" cy="12" r="6.5"/><path d="M10 10.2a2 2 0 1 1 2.6 1.9c-.5.2-.6.6-.6 1.1'
                'M12 15.6v.2"/>',
    'mail.svg': '<rect x="5" y="7" width="14" height="10" rx="1.5"/><path d="M5.5 8l6.5 5 6.5-5"/>',
    'phone.svg': '<rect x="8" y="5" width="8" height="14" rx="1.5"/><path d="M11 16.5h2"/>',
    'people.svg': '<circle cx="9.5" cy="9.5" r="2.2"/><circle cx="15.5" cy="10" r="1.8"/>'
                  '<path d="M5.5 17.5a4 4 0 0 1 8 0M14 14.2a3.4 3.4 0 0 1 4.5 3.3"/>',
    'news.svg': '<rect x="5.5" y="6" width="13" height="12" rx="1.5"/><path d="M8 9.5h8M8 12h8M8 14.5h5"/>',
    'info.svg': '<circle cx="12" cy="12" r="6.5"/><path d="M12 11v4.5M12 8.5v.2"/>',
}


def write_icon(path, glyph):
    svg = ('<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24">'
           + ICON_TILE + '<g fill="none" stroke="#174EA6" stroke-width="1.6" '
           'stroke-linecap="round" stroke-linejoin="round">' + glyph + '</g></svg>\n')
    with open(path, 'w', encoding='ascii', newline='\n') as f:
        f.write(svg)


# ---------------------------------------------------------------- writing

def structure_text(items):
    lines = list(GMS_HEADER)
    for node, level in walk(items):
        lines.append(''.join(v + SEPARATOR for v in
                             (str(level), node.text, node.icon, node.link, node.tip)))
    lines.append(GMS_FOOTER)
    return ''.join(line + '\r\n' for line in lines)


# How every template's menu behaves on the page: site navigation, the current page
# marked, and a short rest before a pop-up opens under the pointer.
WEB_PAGE = {'Pattern': 'navigation', 'CurrentPage': '1', 'OpenDelay': '120'}


def settings_text(menu):
    return ''.join(f'{name}={value}\n' for name, value in {**menu, **WEB_PAGE}.items())


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description='Builds the shipped menu templates.')
    parser.add_argument('--cli', default=os.path.join(here, '..', 'build', 'app', 'zarvex-cli'))
    parser.add_argument('out', nargs='?', default=os.path.join(here, '..', 'data', 'templates'))
    args = parser.parse_args()

    for name, _, menu, items in TEMPLATES:
        check(name, menu, items)
    os.makedirs(args.out, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for name, _, menu, items in TEMPLATES:
            folder = os.path.join(args.out, name)
            shutil.rmtree(folder, ignore_errors=True)
            os.makedirs(folder)
            gms = os.path.join(work, name + '.gms')
            settings = os.path.join(work, name + '.txt')
            with open(gms, 'wb') as f:
                f.write(structure_text(items).encode('utf-8'))
            with open(settings, 'wb') as f:
                f.write(settings_text(menu).encode('utf-8'))
            subprocess.run([args.cli, 'import-gms', gms, os.path.join(folder, name + '.zarvex'),
                            '--settings', settings], check=True)
            draw_images(folder, menu)
            icons = {node.icon for node, _ in walk(items) if node.icon}
            for icon in sorted(icons):
                write_icon(os.path.join(folder, icon), ICON_GLYPHS[icon])
            count = sum(1 for _ in walk(items))
            print(f'{name}: {count} items, {len(icons)} icons')


if __name__ == '__main__':
    main()
