#!/usr/bin/env python3
"""Writes the shipped menu templates and their images into data/templates/.

    python3 tools/make_templates.py [output-folder]

A template is an ordinary project file: the header block, one line with the 42 menu
fields and one line per item, every field followed by "#$@", CR LF line ends,
single-byte text. The files are written as the program saves a design after a
build: ListId is the menu name + "_ul", every item carries its Level and the item
index of its parent (ParentIndex, -1 under the root).

All templates share the one templates folder, so the images drawn here serve all of
them: the item icons (16 x 16 GIFs, prefixed "ico_") and the submenu arrow. The
arrow is a mid grey that stays visible on the light and the dark designs alike;
opening a template stages it in place of the program's black default.

Only the Python standard library is used; the GIF writer is the one of
tools/make_images.py.
"""
import os
import sys

sys.dont_write_bytecode = True  # leave no cache folder in tools/
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_images import write_gif  # noqa: E402  (the shared GIF writer)

SEPARATOR = '#$@'
CRLF = '\r\n'

HEADER = [
    '<Warning_Info>',
    'Note: This file was created and maintained by Zarvex 1.0.',
    'Do not modify it or script project may not be opened again!',
    '</Warning_Info>',
    '<Product_Name>',
    'Zarvex',
    '</Product_Name>',
    '<Product_Version>',
    '1.0',
    '</Product_Version>',
]

# The 42 menu fields in file order, with the program's defaults.
MENU_FIELDS = [
    ('MenuName', 'MyMenu1'), ('ListId', ''), ('Orientation', '0'), ('ShowTooltips', '1'),
    ('ShowShadow', '1'), ('ClickToOpen', '0'), ('DelayClose', '100'), ('BlinkTimes', '0'),
    ('PaddingTop', '0'), ('PaddingRight', '0'), ('PaddingBottom', '0'), ('PaddingLeft', '0'),
    ('BorderWidth', '1'), ('BorderStyle', '3'), ('BorderColorTop', '55A1FF'),
    ('BorderColorRight', '4086E4'), ('BorderColorBottom', '68ACF8'), ('BorderColorLeft', '3882E2'),
    ('Cursor', '2'), ('TextColor', '000000'), ('BackgroundColor', 'FFFFFF'),
    ('TextColorHover', 'FFFFFF'), ('BackgroundColorHover', '316AC5'),
    ('TextColorActive', 'FFFFFF'), ('BackgroundColorActive', '316AC5'), ('ZIndex', '1000'),
    ('FontFamily', 'tahoma, verdana, sans-serif'), ('FontSize', '11'), ('IconWidth', '16'),
    ('IconHeight', '16'), ('ArrowImage', 'arrowr.gif'), ('ArrowImageHover', 'arrowrh.gif'),
    ('SeparatorImage', 'sep.gif'), ('ScrollUpImage', 'scrollu.gif'),
    ('ScrollUpImageHover', 'scrolluh.gif'), ('ScrollUpImagePressed', 'scrollud.gif'),
    ('ScrollDownImage', 'scrolld.gif'), ('ScrollDownImageHover', 'scrolldh.gif'),
    ('ScrollDownImagePressed', 'scrolldd.gif'), ('LocalRootDir', ''), ('RemoteRootDir', ''),
    ('UseLocalPaths', '0'),
]
MENU_FIELD_NAMES = {name for name, _ in MENU_FIELDS}

CURSOR = {'default': '2', 'pointer': '6'}
# Designs without icons shrink the icon cell that every item keeps, so that bar
# items are not pushed off centre by an empty icon-sized gap.
NO_ICONS = {'IconWidth': '0', 'IconHeight': '0'}


# ---------------------------------------------------------------- item trees

class Item:
    def __init__(self, text, link='', tip='', icon='', target='_self', children=()):
        self.text, self.link, self.tip, self.icon, self.target = text, link, tip, icon, target
        self.children = list(children)


def sub(text, *children, icon='', link=''):
    """An item that opens a submenu."""
    return Item(text, link, '', icon, '_self', children)


def sep():
    return Item('Separator')


def leaf(text, link, tip='', icon='', target='_self'):
    return Item(text, link, tip, icon, target)


def flatten(items):
    """Pre-order (item, level, parent index) triples, as the project file lists them."""
    rows = []

    def walk(nodes, level, parent):
        for node in nodes:
            index = len(rows)
            rows.append((node, level, parent))
            walk(node.children, level + 1, index)
    walk(items, 0, -1)
    return rows


# ---------------------------------------------------------------- the templates
# Colours are RRGGBB. Every hover and active background carries white text and the
# white hover arrow, so each is dark enough for white (contrast 4.5:1 or more).

TEMPLATES = []


def template(file_name, menu, items):
    unknown = set(menu) - MENU_FIELD_NAMES
    if unknown:
        raise ValueError(f'{file_name}: unknown menu fields {sorted(unknown)}')
    TEMPLATES.append((file_name, menu, items))


def borders(top, right=None, bottom=None, left=None):
    right = right or top
    bottom = bottom or top
    left = left or right
    return {'BorderColorTop': top, 'BorderColorRight': right,
            'BorderColorBottom': bottom, 'BorderColorLeft': left}


template('classic_bar', {
    'MenuName': 'ClassicBar',
    'PaddingTop': '2', 'PaddingRight': '4', 'PaddingBottom': '2', 'PaddingLeft': '4',
    **borders('C3CFDD', '9FB1C6', '9FB1C6', 'C3CFDD'),
    'TextColor': '1F2D3D', 'BackgroundColor': 'F4F7FB',
    'TextColorHover': 'FFFFFF', 'BackgroundColorHover': '2F6DB5',
    'TextColorActive': 'FFFFFF', 'BackgroundColorActive': '245A96',
    'FontFamily': 'Segoe UI, Tahoma, Arial, sans-serif', 'FontSize': '13',
    **NO_ICONS, 'DelayClose': '200',
}, [
    leaf('Home', 'index.html', 'Back to the start page'),
    sub('Products',
        sub('Software',
            leaf('Office Suite', 'products/software/office.html', 'Documents, spreadsheets and slides'),
            leaf('Photo Studio', 'products/software/photo.html', 'Edit and organise your pictures'),
            leaf('Backup Manager', 'products/software/backup.html', 'Automatic backups to disk or cloud')),
        sub('Hardware',
            leaf('Laptops', 'products/hardware/laptops.html', 'Light machines for work on the move'),
            leaf('Desktops', 'products/hardware/desktops.html', 'Towers and all-in-one computers'),
            leaf('Accessories', 'products/hardware/accessories.html', 'Keyboards, mice, cables and bags')),
        sep(),
        leaf('Special Offers', 'products/offers.html', 'This month\'s best prices')),
    sub('Services',
        leaf('Consulting', 'services/consulting.html', 'Planning and roll-out with our experts'),
        sub('Training',
            leaf('Online Courses', 'services/training/online.html', 'Learn at your own pace'),
            leaf('Classroom Courses', 'services/training/classroom.html', 'Two-day courses in our training centres')),
        leaf('Support Plans', 'services/support.html', 'Phone and e-mail support for businesses')),
    sub('About',
        leaf('Our Company', 'about/company.html', 'Who we are and what we do'),
        leaf('Careers', 'about/careers.html', 'Open positions'),
        sep(),
        leaf('News', 'about/news.html', 'Announcements and press releases')),
    sep(),
    leaf('Contact', 'contact.html', 'Write to us or give us a call'),
])

template('vertical_sidebar', {
    'MenuName': 'SideBar', 'Orientation': '1',
    'PaddingTop': '4', 'PaddingRight': '0', 'PaddingBottom': '4', 'PaddingLeft': '0',
    **borders('D5DCE2'),
    'TextColor': '22313F', 'BackgroundColor': 'F7F9FA',
    'TextColorHover': 'FFFFFF', 'BackgroundColorHover': '2E7D5B',
    'TextColorActive': 'FFFFFF', 'BackgroundColorActive': '236247',
    'FontFamily': 'Segoe UI, Arial, sans-serif', 'FontSize': '13',
    **NO_ICONS, 'DelayClose': '250',
}, [
    leaf('Home', 'index.html', 'Documentation start page'),
    sub('Getting Started',
        leaf('Installation', 'docs/install.html', 'System requirements and set-up'),
        leaf('First Steps', 'docs/first-steps.html', 'A ten-minute tour'),
        sub('Configuration',
            leaf('Basic Settings', 'docs/config/basic.html', 'Language, folders and updates'),
            leaf('Advanced Settings', 'docs/config/advanced.html', 'Proxies, logging and performance'),
            leaf('Environment Variables', 'docs/config/environment.html', 'Settings for scripted installs'))),
    sub('User Guide',
        sub('Working with Files',
            leaf('Opening Files', 'docs/guide/open.html', 'Supported formats and recent files'),
            leaf('Saving Files', 'docs/guide/save.html', 'Versions, backups and auto-save'),
            leaf('Exporting', 'docs/guide/export.html', 'PDF, HTML and plain text')),
        leaf('Printing', 'docs/guide/printing.html', 'Page set-up and print preview'),
        leaf('Keyboard Shortcuts', 'docs/guide/shortcuts.html', 'Every shortcut on one page')),
    sub('Reference',
        leaf('Command Line', 'docs/reference/command-line.html', 'Options and exit codes'),
        leaf('File Formats', 'docs/reference/formats.html', 'What each file holds'),
        sep(),
        leaf('Release Notes', 'docs/reference/releases.html', 'What changed in each version')),
    leaf('FAQ', 'faq.html', 'Frequently asked questions'),
    sep(),
    leaf('Contact Support', 'support.html', 'Open a support ticket'),
])

template('dark_theme', {
    'MenuName': 'DarkMenu',
    'PaddingTop': '3', 'PaddingRight': '6', 'PaddingBottom': '3', 'PaddingLeft': '6',
    **borders('3A414D', '2A2F37', '2A2F37', '3A414D'),
    'TextColor': 'E6E9EE', 'BackgroundColor': '1E2228',
    'TextColorHover': 'FFFFFF', 'BackgroundColorHover': '3A4454',
    'TextColorActive': 'FFFFFF', 'BackgroundColorActive': '2F6FDB',
    'FontFamily': 'Segoe UI, Roboto, Arial, sans-serif', 'FontSize': '13',
    **NO_ICONS, 'Cursor': CURSOR['pointer'], 'DelayClose': '200',
}, [
    leaf('Home', 'index.html', 'Studio home page'),
    sub('Games',
        sub('Action',
            leaf('Night Runner', 'games/night-runner.html', 'A rooftop chase through a neon city'),
            leaf('Iron Tide', 'games/iron-tide.html', 'Naval battles for up to eight players')),
        sub('Puzzle',
            leaf('Prism', 'games/prism.html', 'Bend light to open every door'),
            leaf('Tangle', 'games/tangle.html', 'Untie the knots before time runs out')),
        sep(),
        leaf('Coming Soon', 'games/upcoming.html', 'What we are working on')),
    sub('Community',
        leaf('Forums', 'https://forum.example.com/', 'Talk to other players (opens in a new window)',
             target='_blank'),
        sub('Events',
            leaf('Tournaments', 'community/tournaments.html', 'Season schedule and results'),
            leaf('Meet-ups', 'community/meetups.html', 'Meet the team in your city')),
        leaf('Fan Art', 'community/fan-art.html', 'The gallery of your work')),
    sub('Press',
        leaf('Press Kit', 'press/kit.html', 'Logos, screenshots and fact sheets'),
        leaf('Press Releases', 'press/releases.html', 'Our latest announcements')),
    leaf('Support', 'support.html', 'Help with your account and purchases'),
])

template('flat_minimal', {
    'MenuName': 'FlatBar',
    'PaddingTop': '4', 'PaddingRight': '8', 'PaddingBottom': '4', 'PaddingLeft': '8',
    **borders('DADADA'),
    'ShowShadow': '0',
    'TextColor': '333333', 'BackgroundColor': 'FFFFFF',
    'TextColorHover': 'FFFFFF', 'BackgroundColorHover': '222222',
    'TextColorActive': 'FFFFFF', 'BackgroundColorActive': '555555',
    'FontFamily': 'Helvetica Neue, Helvetica, Arial, sans-serif', 'FontSize': '13',
    **NO_ICONS, 'Cursor': CURSOR['pointer'], 'DelayClose': '150',
}, [
    sub('Work',
        leaf('Branding', 'work/branding.html', 'Logos and visual identities'),
        sub('Web Design',
            leaf('Case Studies', 'work/web/case-studies.html', 'How we built them, step by step'),
            leaf('Shop Sites', 'work/web/shops.html', 'Online shops for small businesses'),
            leaf('Landing Pages', 'work/web/landing.html', 'Single pages that sell one thing')),
        sub('Photography',
            leaf('Portraits', 'work/photo/portraits.html', 'Studio and outdoor portraits'),
            leaf('Products', 'work/photo/products.html', 'Catalogue and packshot photography'))),
    leaf('Journal', 'journal/index.html', 'Notes on design and process'),
    sub('Studio',
        leaf('About Us', 'studio/about.html', 'A small team with a big workshop'),
        leaf('Team', 'studio/team.html', 'The people behind the work'),
        sep(),
        leaf('Careers', 'studio/careers.html', 'Internships and open positions')),
    leaf('Contact', 'contact.html', 'Start a project with us'),
])

template('icon_bar', {
    'MenuName': 'IconBar',
    'PaddingTop': '2', 'PaddingRight': '4', 'PaddingBottom': '2', 'PaddingLeft': '4',
    **borders('D4D9DF', 'BCC3CC', 'BCC3CC', 'D4D9DF'),
    'TextColor': '202124', 'BackgroundColor': 'FAFBFC',
    'TextColorHover': 'FFFFFF', 'BackgroundColorHover': '1967D2',
    'TextColorActive': 'FFFFFF', 'BackgroundColorActive': '1556B0',
    'FontFamily': 'Segoe UI, Arial, sans-serif', 'FontSize': '13',
    'DelayClose': '200',
}, [
    leaf('Home', 'index.html', 'Back to the start page', icon='ico_home.gif'),
    sub('Products',
        sub('Software',
            leaf('Desktop Apps', 'products/software/desktop.html', 'For Windows, macOS and Linux',
                 icon='ico_window.gif'),
            leaf('Cloud Services', 'products/software/cloud.html', 'Storage and sync for teams',
                 icon='ico_cloud.gif'),
            leaf('Add-ons', 'products/software/addons.html', 'Plug-ins for the apps you use',
                 icon='ico_gear.gif'),
            icon='ico_window.gif'),
        sub('Hardware',
            leaf('Computers', 'products/hardware/computers.html', 'Desktops and laptops',
                 icon='ico_monitor.gif'),
            leaf('Accessories', 'products/hardware/accessories.html', 'Cables, cases and chargers',
                 icon='ico_box.gif'),
            icon='ico_monitor.gif'),
        sep(),
        leaf('Special Offers', 'products/offers.html', 'Limited-time prices', icon='ico_star.gif'),
        icon='ico_box.gif'),
    sub('Downloads',
        leaf('Latest Release', 'downloads/latest.html', 'Version 4.2 for all platforms',
             icon='ico_download.gif'),
        leaf('Older Versions', 'downloads/archive.html', 'Every earlier release', icon='ico_box.gif'),
        sep(),
        leaf('Release Notes', 'downloads/notes.html', 'What changed in each version', icon='ico_book.gif'),
        icon='ico_download.gif'),
    sub('Support',
        leaf('Documentation', 'support/docs.html', 'Manuals and how-to guides', icon='ico_book.gif'),
        leaf('FAQ', 'support/faq.html', 'Answers to common questions', icon='ico_help.gif'),
        sub('Contact Us',
            leaf('E-mail', 'support/email.html', 'We reply within one working day', icon='ico_mail.gif'),
            leaf('Phone', 'support/phone.html', 'Mon-Fri, 9:00 to 17:00', icon='ico_phone.gif'),
            icon='ico_mail.gif'),
        icon='ico_help.gif'),
    sub('About',
        leaf('Our Team', 'about/team.html', 'Who builds the products', icon='ico_people.gif'),
        leaf('News', 'about/news.html', 'Announcements and press releases', icon='ico_news.gif'),
        icon='ico_info.gif'),
])

template('click_to_open', {
    'MenuName': 'ClickMenu', 'ClickToOpen': '1', 'DelayClose': '400',
    'PaddingTop': '2', 'PaddingRight': '4', 'PaddingBottom': '2', 'PaddingLeft': '4',
    **borders('E3CDB4', 'D2B899', 'D2B899', 'E3CDB4'),
    'TextColor': '3B2A1A', 'BackgroundColor': 'FFF9F2',
    'TextColorHover': 'FFFFFF', 'BackgroundColorHover': 'B34700',
    'TextColorActive': 'FFFFFF', 'BackgroundColorActive': '8F3900',
    'FontFamily': 'Trebuchet MS, Verdana, Arial, sans-serif', 'FontSize': '13',
    **NO_ICONS, 'Cursor': CURSOR['pointer'],
}, [
    sub('Shop',
        sub('Clothing',
            leaf('Women', 'shop/clothing/women.html', 'Dresses, tops and knitwear'),
            leaf('Men', 'shop/clothing/men.html', 'Shirts, trousers and jackets'),
            leaf('Children', 'shop/clothing/children.html', 'Sizes from 2 to 14 years')),
        sub('Home and Garden',
            leaf('Kitchen', 'shop/home/kitchen.html', 'Cookware and tableware'),
            leaf('Furniture', 'shop/home/furniture.html', 'Chairs, tables and shelves'),
            leaf('Garden Tools', 'shop/home/garden.html', 'Everything for the outdoors')),
        sep(),
        leaf('Gift Cards', 'shop/gift-cards.html', 'Send a gift by e-mail'),
        leaf('Sale', 'shop/sale.html', 'Up to 50% off selected items')),
    sub('My Account',
        leaf('Orders', 'account/orders.html', 'Track and return your orders'),
        leaf('Wish List', 'account/wishlist.html', 'Items you saved for later'),
        leaf('Settings', 'account/settings.html', 'Addresses, payment and e-mail'),
        sep(),
        leaf('Sign Out', 'account/signout.html', 'End your session')),
    sub('Help',
        leaf('Shipping', 'help/shipping.html', 'Delivery times and costs'),
        leaf('Returns', 'help/returns.html', '30 days to change your mind'),
        leaf('Size Guide', 'help/sizes.html', 'Find the right fit')),
    leaf('Our Stores', 'stores.html', 'Opening hours and directions'),
])

template('corporate_navy', {
    'MenuName': 'NavyBar',
    'PaddingTop': '3', 'PaddingRight': '6', 'PaddingBottom': '3', 'PaddingLeft': '6',
    **borders('2B5488', '0E2643', '0E2643', '2B5488'),
    'TextColor': 'FFFFFF', 'BackgroundColor': '17365D',
    'TextColorHover': 'FFFFFF', 'BackgroundColorHover': '2D5C96',
    'TextColorActive': 'F2C14E', 'BackgroundColorActive': '0B1E36',
    'FontFamily': 'Georgia, Times New Roman, serif', 'FontSize': '14',
    **NO_ICONS, 'DelayClose': '200',
}, [
    leaf('Home', 'index.html', 'Back to the start page'),
    sub('Solutions',
        sub('For Individuals',
            leaf('Savings Accounts', 'solutions/individuals/savings.html', 'Flexible and fixed-term savings'),
            leaf('Mortgages', 'solutions/individuals/mortgages.html', 'Buying, moving or remortgaging'),
            leaf('Insurance', 'solutions/individuals/insurance.html', 'Home, travel and life cover')),
        sub('For Business',
            leaf('Business Accounts', 'solutions/business/accounts.html', 'Current accounts for companies'),
            leaf('Loans', 'solutions/business/loans.html', 'Finance for growth and equipment'),
            leaf('Payroll', 'solutions/business/payroll.html', 'Pay your staff on time, every time'))),
    sub('Insights',
        leaf('Market Reports', 'insights/reports.html', 'Quarterly analysis by our economists'),
        leaf('Webinars', 'insights/webinars.html', 'Live sessions and recordings'),
        sep(),
        leaf('Newsletter', 'insights/newsletter.html', 'One e-mail a month')),
    sub('About Us',
        leaf('Leadership', 'about/leadership.html', 'Our board and executive team'),
        leaf('Locations', 'about/locations.html', 'Offices in twelve countries'),
        leaf('Investor Relations', 'about/investors.html', 'Results, reports and shareholder news')),
    leaf('Contact', 'contact.html', 'Talk to an adviser'),
])

template('retro_classic', {
    'MenuName': 'RetroBar', 'BlinkTimes': '2',
    'PaddingTop': '1', 'PaddingRight': '2', 'PaddingBottom': '1', 'PaddingLeft': '2',
    'BorderWidth': '2', **borders('FFFFFF', '404040', '404040', 'FFFFFF'),
    'TextColor': '000000', 'BackgroundColor': 'D4D0C8',
    'TextColorHover': 'FFFFFF', 'BackgroundColorHover': '0A246A',
    'TextColorActive': 'FFFFFF', 'BackgroundColorActive': '0A246A',
    'FontFamily': 'Tahoma, Verdana, Arial, sans-serif', 'FontSize': '12', **NO_ICONS,
}, [
    leaf('Home', 'index.html', 'Club home page'),
    sub('Club',
        leaf('History', 'club/history.html', 'Founded in 1923'),
        leaf('Board', 'club/board.html', 'Who runs the club'),
        sep(),
        sub('Membership',
            leaf('Join Us', 'club/membership/join.html', 'Application form'),
            leaf('Fees', 'club/membership/fees.html', 'Yearly fees for adults and juniors'),
            leaf('Club Rules', 'club/membership/rules.html', 'The rules every member agrees to'))),
    sub('Teams',
        sub('Juniors',
            leaf('Under 10', 'teams/juniors/u10.html', 'Training on Saturday mornings'),
            leaf('Under 14', 'teams/juniors/u14.html', 'Training on Tuesdays and Thursdays'),
            leaf('Under 18', 'teams/juniors/u18.html', 'League matches on Sundays')),
        sub('Seniors',
            leaf('First Team', 'teams/seniors/first.html', 'Fixtures and results'),
            leaf('Reserves', 'teams/seniors/reserves.html', 'Second team fixtures'))),
    leaf('Calendar', 'calendar.html', 'Matches, meetings and events'),
    sub('Links',
        leaf('Regional League', 'https://www.example.org/league/', 'Opens in a new window', target='_blank'),
        leaf('Weather', 'https://www.example.org/weather/', 'Opens in a new window', target='_blank')),
])


# ---------------------------------------------------------------- project file

def field_line(values):
    for v in values:
        if SEPARATOR in v or '\r' in v or '\n' in v:
            raise ValueError(f'value {v!r} cannot be stored in a project file')
        v.encode('ascii')
    return ''.join(v + SEPARATOR for v in values)


def project_text(menu, items):
    params = dict(MENU_FIELDS)
    params.update(menu)
    params['ListId'] = params['MenuName'] + '_ul'
    lines = list(HEADER)
    lines += ['<Applet_Parameters>', field_line([params[name] for name, _ in MENU_FIELDS]),
              '</Applet_Parameters>', '<Item_Parameters>']
    for node, level, parent in flatten(items):
        lines.append(field_line([node.text, node.icon, node.link, node.target, node.tip, '',
                                 str(level), '', '', str(parent)]))
    lines.append('</Item_Parameters>')
    return ''.join(line + CRLF for line in lines)


def check_tree(name, items):
    """Each template shows all three levels, and every leaf inside a pop-up has a tooltip."""
    rows = flatten(items)
    if max(level for _, level, _ in rows) != 2:
        raise ValueError(f'{name}: expected items on three levels')
    for node, level, _ in rows:
        is_sep = node.text.strip().lower() == 'separator'
        if level > 0 and not node.children and not is_sep and not node.tip:
            raise ValueError(f'{name}: inner leaf {node.text!r} has no tooltip')


# ---------------------------------------------------------------- icons
# 16 x 16 pixel drawings; '.' is transparent, every other letter a palette colour.

INK = (0x2B, 0x36, 0x45)
ICON_COLOURS = {
    'k': INK,
    'w': (0xFF, 0xFF, 0xFF),
    'g': (0x9A, 0xA5, 0xB1),   # light grey
    'G': (0x5F, 0x6B, 0x78),   # dark grey
    'r': (0xD1, 0x43, 0x36),   # red
    'y': (0xF4, 0xC4, 0x30),   # yellow
    'o': (0xE8, 0x8A, 0x2E),   # orange
    'b': (0x3B, 0x82, 0xD6),   # blue
    'l': (0xB9, 0xD7, 0xF5),   # light blue
    'n': (0x1E, 0x4E, 0x8C),   # navy
    'e': (0x3C, 0xA5, 0x5C),   # green
    't': (0xE2, 0xB8, 0x72),   # tan
    'u': (0xB0, 0x7A, 0x3A),   # brown
    'c': (0xF6, 0xEC, 0xD6),   # cream
}

ICONS = {
    'ico_home.gif': [
        '.......kk.......',
        '......krrk.kk...',
        '.....krrrrkuk...',
        '....krrrrrrkk...',
        '...krrrrrrrrk...',
        '..krrrrrrrrrrk..',
        '.kkkkkkkkkkkkkk.',
        '..kccccccccccck.',
        '..kcllkcccuuuck.',
        '..kcllkcccuuuck.',
        '..kkkkkcccuuuck.',
        '..kcccccccuuyck.',
        '..kcccccccuuuck.',
        '..kcccccccuuuck.',
        '..kkkkkkkkkkkkk.',
        '................',
    ],
    'ico_box.gif': [
        '................',
        '................',
        '...kkkkkkkkkk...',
        '..kttttkkttttk..',
        '.kttttttktttttk.',
        'kkkkkkkkkkkkkkkk',
        'kuuuuuukkuuuuuuk',
        'kuuuuuukkuuuuuuk',
        'kuuuuuuuuuuuuuuk',
        'kuuuuuuuuuuuuuuk',
        'kuukkkkkkuuuuuuk',
        'kuukwwwwkuuuuuuk',
        'kuukkkkkkuuuuuuk',
        'kuuuuuuuuuuuuuuk',
        'kkkkkkkkkkkkkkkk',
        '................',
    ],
    'ico_window.gif': [
        '................',
        'kkkkkkkkkkkkkkkk',
        'kbbbbbbbbbbwkwrk',
        'kbbbbbbbbbbwkwrk',
        'kkkkkkkkkkkkkkkk',
        'kwwwwwwwwwwwwwwk',
        'kwggggggwwwwwwwk',
        'kwwwwwwwwwwwwwwk',
        'kwggggwwwllllwwk',
        'kwwwwwwwwllllwwk',
        'kwggggggwllllwwk',
        'kwwwwwwwwwwwwwwk',
        'kwgggggwwwwwwwwk',
        'kwwwwwwwwwwwwwwk',
        'kkkkkkkkkkkkkkkk',
        '................',
    ],
    'ico_monitor.gif': [
        '................',
        'kkkkkkkkkkkkkkkk',
        'kGGGGGGGGGGGGGGk',
        'kGbbbbbbbbbbbbGk',
        'kGblllbbbbbbbbGk',
        'kGbllbbbbbbbbbGk',
        'kGblbbbbbbbbbbGk',
        'kGbbbbbbbbbbbbGk',
        'kGbbbbbbbbbbbbGk',
        'kGbbbbbbbbbbbbGk',
        'kGGGGGGGGGGGeGGk',
        'kkkkkkkkkkkkkkkk',
        '......kggk......',
        '......kggk......',
        '...kkkkkkkkkk...',
        '...kggggggggk...',
    ],
    'ico_cloud.gif': [
        '................',
        '................',
        '................',
        '......kkkk......',
        '.....kllllk.....',
        '....kllwwllkk...',
        '..kkllwwllllk...',
        '.kllllllllllkk..',
        'klllllllllllllk.',
        'klllllllllllllk.',
        'kbllllllllllllk.',
        '.kbbbbbbbbbbbk..',
        '..kkkkkkkkkkk...',
        '................',
        '................',
        '................',
    ],
    'ico_gear.gif': [
        '................',
        '.......kk.......',
        '...kk.kggk.kk...',
        '..kggkkggkkggk..',
        '..kgggggggggk...',
        '...kggkkkkggk...',
        '.kkggk....kggkk.',
        'kgggk......kgggk',
        'kgggk......kgggk',
        '.kkggk....kggkk.',
        '...kggkkkkggk...',
        '..kgggggggggk...',
        '..kggkkggkkggk..',
        '...kk.kggk.kk...',
        '.......kk.......',
        '................',
    ],
    'ico_star.gif': [
        '.......kk.......',
        '.......kk.......',
        '......kyyk......',
        '......kyyk......',
        'kkkkkkkyykkkkkkk',
        '.kyyyyyyyyyyyyk.',
        '..kyyyyyyyyyyk..',
        '...kyyyyyyyyk...',
        '....kyyyyyyk....',
        '....kyyyyyyk....',
        '...kyyyyyyyyk...',
        '...kyyykkyyyk...',
        '..kyyyk..kyyyk..',
        '..kyyk....kyyk..',
        '.kyk........kyk.',
        '.kk..........kk.',
    ],
    'ico_download.gif': [
        '......kkkk......',
        '......keek......',
        '......keek......',
        '......keek......',
        '......keek......',
        '...kkkkeekkkk...',
        '...keeeeeeeek...',
        '....keeeeeek....',
        '.....keeeek.....',
        '......keek......',
        'kk.....kk.....kk',
        'kgk..........kgk',
        'kgk..........kgk',
        'kgkkkkkkkkkkkkgk',
        'kggggggggggggggk',
        'kkkkkkkkkkkkkkkk',
    ],
    'ico_book.gif': [
        '................',
        '.kkkkkkkkkkkkk..',
        'kbbbbbbbbbbbbbk.',
        'kbnbbbbbbbbbbbk.',
        'kbnbbwwwwwwbbbk.',
        'kbnbbkkkkkkbbbk.',
        'kbnbbbbbbbbbbbk.',
        'kbnbbbbbbbbbbbk.',
        'kbnbbbbbbbbbbbk.',
        'kbnbbbbbbbbbbbk.',
        'kbnbbbbbbbbbbbk.',
        'kbnkkkkkkkkkkkkk',
        'kbkwwwwwwwwwwwwk',
        'kbkggggggggggggk',
        '.kkkkkkkkkkkkkkk',
        '................',
    ],
    'ico_help.gif': [
        '.....kkkkkk.....',
        '...kkbbbbbbkk...',
        '..kbbbwwwwbbbk..',
        '.kbbbwwbbwwbbbk.',
        '.kbbbwwbbwwbbbk.',
        'kbbbbbbbbwwbbbbk',
        'kbbbbbbbwwbbbbbk',
        'kbbbbbbwwbbbbbbk',
        'kbbbbbbwwbbbbbbk',
        'kbbbbbbbbbbbbbbk',
        'kbbbbbbwwbbbbbbk',
        '.kbbbbbwwbbbbbk.',
        '.kbbbbbbbbbbbbk.',
        '..kbbbbbbbbbbk..',
        '...kkbbbbbbkk...',
        '.....kkkkkk.....',
    ],
    'ico_info.gif': [
        '.....kkkkkk.....',
        '...kkbbbbbbkk...',
        '..kbbbbbbbbbbk..',
        '.kbbbbbwwbbbbbk.',
        '.kbbbbbwwbbbbbk.',
        'kbbbbbbbbbbbbbbk',
        'kbbbbbwwwbbbbbbk',
        'kbbbbbbwwbbbbbbk',
        'kbbbbbbwwbbbbbbk',
        'kbbbbbbwwbbbbbbk',
        'kbbbbbbwwbbbbbbk',
        '.kbbbbwwwwbbbbk.',
        '.kbbbbbbbbbbbbk.',
        '..kbbbbbbbbbbk..',
        '...kkbbbbbbkk...',
        '.....kkkkkk.....',
    ],
    'ico_mail.gif': [
        '................',
        '................',
        '................',
        'kkkkkkkkkkkkkkkk',
        'kkwwwwwwwwwwwwkk',
        'kwkwwwwwwwwwwkwk',
        'kwwkwwwwwwwwkwwk',
        'kwwwkwwwwwwkwwwk',
        'kwwwwkwwwwkwwwwk',
        'kwwwkwkkkkwkwwwk',
        'kwwkwwwwwwwwkwwk',
        'kwkwwwwwwwwwwkwk',
        'kkwwwwwwwwwwwwkk',
        'kkkkkkkkkkkkkkkk',
        '................',
        '................',
    ],
    'ico_phone.gif': [
        '................',
        '....kkkkkkkk....',
        '...kGGGGGGGGk...',
        '..kGGkkkkkkGGk..',
        '.kGGk......kGGk.',
        '.kkkk......kkkk.',
        '....kkkkkkkk....',
        '...kggggggggk...',
        '..kggkgkgkggggk.',
        '..kggggggggggk..',
        '..kggkgkgkgggk..',
        '..kggggggggggk..',
        '..kggkgkgkgggk..',
        '..kggggggggggk..',
        '..kkkkkkkkkkkk..',
        '................',
    ],
    'ico_people.gif': [
        '................',
        '...kkk....kkk...',
        '..kttttk.kttttk.',
        '..kttttk.kttttk.',
        '..kttttk.kttttk.',
        '...kkkk...kkkk..',
        '....kk.....kk...',
        '..kkbbkk.kkeekk.',
        '.kbbbbbbkeeeeeek',
        '.kbbbbbbkeeeeeek',
        '.kbbbbbbkeeeeeek',
        '.kbbbbbbkeeeeeek',
        '.kbbbbbbkeeeeeek',
        '.kkkkkkkkkkkkkkk',
        '................',
        '................',
    ],
    'ico_news.gif': [
        '................',
        '.kkkkkkkkkkkkk..',
        '.kwwwwwwwwwwwkk.',
        '.kwkkkkkkkkkwkgk',
        '.kwwwwwwwwwwwkgk',
        '.kwGGGGwggggwkgk',
        '.kwGGGGwwwwwwkgk',
        '.kwGGGGwggggwkgk',
        '.kwGGGGwwwwwwkgk',
        '.kwwwwwwwwwwwkgk',
        '.kwggggggggggkgk',
        '.kwwwwwwwwwwwkgk',
        '.kwggggggggggkgk',
        '.kwwwwwwwwwwwkkk',
        '.kkkkkkkkkkkkkk.',
        '................',
    ],
}


def draw_icon(path, rows):
    if len(rows) != 16 or any(len(r) != 16 for r in rows):
        raise ValueError(f'{os.path.basename(path)}: an icon is 16 x 16 pixels')
    used = sorted({ch for row in rows for ch in row} - {'.'})
    palette = [(0xFF, 0xFF, 0xFF)] + [ICON_COLOURS[ch] for ch in used]
    index = {ch: i + 1 for i, ch in enumerate(used)}
    index['.'] = 0
    write_gif(path, [index[ch] for row in rows for ch in row], 16, 16, palette, transparent=0)


def draw_arrow(path, colour):
    """The 9 x 9 submenu arrow: a 4-pixel wide, 7-pixel tall head, as the default one."""
    rows = [[0] * 9 for _ in range(9)]
    for k in range(4):
        for j in range(-(3 - k), 4 - k):
            rows[4 + j][2 + k] = 1
    write_gif(path, [px for row in rows for px in row], 9, 9, [(0xFF, 0xFF, 0xFF), colour], transparent=0)


# ---------------------------------------------------------------- main

def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', 'data', 'templates')
    os.makedirs(out, exist_ok=True)

    used_icons = set()
    for name, menu, items in TEMPLATES:
        check_tree(name, items)
        used_icons |= {node.icon for node, _, _ in flatten(items) if node.icon}
        with open(os.path.join(out, name + '.zarvex'), 'wb') as f:
            f.write(project_text(menu, items).encode('ascii'))
    missing = used_icons - set(ICONS)
    if missing:
        raise ValueError(f'icons used but not drawn: {sorted(missing)}')

    for file_name, rows in ICONS.items():
        draw_icon(os.path.join(out, file_name), rows)
    draw_arrow(os.path.join(out, 'arrowr.gif'), (0x7A, 0x82, 0x8E))
    print(f'{len(TEMPLATES)} templates and {len(ICONS) + 1} images written to {os.path.normpath(out)}')


if __name__ == '__main__':
    main()
